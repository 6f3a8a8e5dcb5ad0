#include "platform/dialog_boxes.h"

#include <windows.h>

namespace {

// How long one control may take to give its text; a hung process answers nothing at all.
constexpr UINT kTextWaitMilliseconds = 200;

std::wstring ClassOf(HWND window) {
  wchar_t name[64];
  const int length = ::GetClassNameW(window, name, 64);
  return std::wstring(name, length > 0 ? length : 0);
}

bool IsDialog(HWND window) { return ClassOf(window) == L"#32770"; }

// A static control that shows text, not a picture or a frame.
bool IsTextStatic(HWND control) {
  if (::CompareStringOrdinal(ClassOf(control).c_str(), -1, L"Static", -1, TRUE) != CSTR_EQUAL) return false;
  switch (::GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
    case SS_OWNERDRAW: return true;
    default: return false;
  }
}

// Read through the window's own answer, given up on when it does not come in time.
std::wstring TextOf(HWND control) {
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kTextWaitMilliseconds,
                             &length) ||
      length == 0)
    return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!::SendMessageTimeoutW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG | SMTO_BLOCK, kTextWaitMilliseconds, &copied))
    return {};
  text.resize(copied < length ? copied : length);
  return text;
}

// The title as the system keeps it: read without a message to the window.
std::wstring CaptionOf(HWND window) {
  wchar_t caption[512];
  const int length = ::InternalGetWindowText(window, caption, 512);
  return std::wstring(caption, length > 0 ? length : 0);
}

struct TSearch {
  DWORD Process;
  std::vector<TDialogBox> Found;
};

BOOL CALLBACK AddStaticText(HWND control, LPARAM found) {
  auto& box = *reinterpret_cast<TDialogBox*>(found);
  if (!::IsWindowVisible(control) || !IsTextStatic(control)) return TRUE;
  const std::wstring text = TextOf(control);
  if (!text.empty()) box.Text += (box.Text.empty() ? L"" : L"\n") + text;
  return TRUE;
}

BOOL CALLBACK AddDialog(HWND window, LPARAM search) {
  auto& state = *reinterpret_cast<TSearch*>(search);
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  if (process != state.Process || !::IsWindowVisible(window) || !IsDialog(window)) return TRUE;
  TDialogBox box{CaptionOf(window), {}};
  ::EnumChildWindows(window, &AddStaticText, reinterpret_cast<LPARAM>(&box));
  state.Found.push_back(std::move(box));
  return TRUE;
}

}  // namespace

std::vector<TDialogBox> DialogBoxesOf(TProcessId process) {
  TSearch search{process, {}};
  ::EnumWindows(&AddDialog, reinterpret_cast<LPARAM>(&search));
  return std::move(search.Found);
}
