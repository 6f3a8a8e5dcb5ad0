#include "filelists/list_errors.h"

#include "base/errors.h"

std::wstring InOutErrorMessage(int code) {
  switch (code) {
    case 2: return L"File not found";
    case 3: return L"Invalid filename";
    case 4: return L"Too many open files";
    case 5: return L"File access denied";
    case 100: return L"Read beyond end of file";
    case 101: return L"Disk full";
    case 106: return L"Invalid numeric input";
    default: return L"I/O error " + std::to_wstring(code);
  }
}

void RaiseInOutError(int code) { throw EInOutError(InOutErrorMessage(code), code); }

void EnterFolder(IFileSystem& fs, const std::wstring& path) {
  if (const unsigned code = fs.SetCurrentFolder(path)) RaiseInOutError(static_cast<int>(code));
}
