#include "app/parent_console.h"

#include <windows.h>

#include "base/text.h"
#include "base/win_handles.h"

namespace {

// The error output the parent handed over, unless it is none or a console.
HANDLE RedirectedErrorOutput() {
  const HANDLE output = ::GetStdHandle(STD_ERROR_HANDLE);
  if (!output || output == INVALID_HANDLE_VALUE) return nullptr;
  const DWORD type = ::GetFileType(output);
  return type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE ? output : nullptr;
}

}  // namespace

bool WriteToParentConsole(const std::wstring& text) {
  const std::wstring line = text + L"\r\n";
  DWORD written = 0;
  if (const HANDLE output = RedirectedErrorOutput()) {
    const std::string utf8 = EncodeUtf8(line);
    return ::WriteFile(output, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr) != FALSE;
  }
  if (!::AttachConsole(ATTACH_PARENT_PROCESS) && ::GetLastError() != ERROR_ACCESS_DENIED) return false;
  const TFileHandle console(
      ::CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
  return console && ::WriteConsoleW(console.Get(), line.c_str(), static_cast<DWORD>(line.size()), &written, nullptr);
}
