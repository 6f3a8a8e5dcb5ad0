#include "platform/file_checks.h"

#include <windows.h>

#include "base/win_handles.h"

bool FileExistsFollowingLinks(const std::wstring& path) {
  // Opening without access rights resolves links to their target; folders need backup semantics.
  TFileHandle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file) return false;
  BY_HANDLE_FILE_INFORMATION info{};
  return GetFileInformationByHandle(file.Get(), &info) && !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}
