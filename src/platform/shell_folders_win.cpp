#include "platform/shell_folders.h"

#include <windows.h>
#include <shlobj.h>

std::optional<std::wstring> CommonDocumentsFolder() {
  wchar_t path[MAX_PATH] = {};
  // SHGFP_TYPE_CURRENT without CSIDL_FLAG_CREATE: ask, never create.
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_COMMON_DOCUMENTS, nullptr, SHGFP_TYPE_CURRENT, path))) {
    return std::nullopt;
  }
  return std::wstring(path);
}

std::wstring ProgramFilePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}
