#pragma once
// Parts of a Windows path, read as text.
#include <string>

// The file name part of a path: what follows its last "\".
inline std::wstring FileNameOf(const std::wstring& path) { return path.substr(path.rfind(L'\\') + 1); }

// True for a path on a network share not mapped to a drive letter: "\\server\share\..." or
// "\\?\UNC\server\share\...".
inline bool IsNetworkPath(const std::wstring& path) {
  if (path.rfind(L"\\\\?\\", 0) == 0 || path.rfind(L"\\\\.\\", 0) == 0) return path.rfind(L"\\\\?\\UNC\\", 0) == 0;
  return path.rfind(L"\\\\", 0) == 0;
}
