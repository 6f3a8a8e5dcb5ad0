#include "window_search.h"

namespace {

struct TSearch {
  DWORD Process;
  const std::function<bool(HWND)>& Accept;
  HWND Found = nullptr;
};

BOOL CALLBACK Visit(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<TSearch*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search.Process || !IsWindowVisible(window) || !search.Accept(window)) return TRUE;
  search.Found = window;
  return FALSE;
}

}  // namespace

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring WindowClassName(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

HWND FindVisibleTopLevel(DWORD process, const std::function<bool(HWND)>& accept) {
  TSearch search{process, accept};
  EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}
