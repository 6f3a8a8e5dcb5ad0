#include "ui/message_window.h"

#include "base/errors.h"

TWindowHandle CreateMessageWindow(const wchar_t* className, WNDPROC windowProc, const std::wstring& purpose) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = windowProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = className;
  if (!::RegisterClassExW(&wc)) throw Exception(L"Cannot register the " + purpose + L" window class");
  TWindowHandle window(
      ::CreateWindowExW(0, className, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr));
  if (!window) throw Exception(L"Cannot create the " + purpose + L" window");
  return window;
}
