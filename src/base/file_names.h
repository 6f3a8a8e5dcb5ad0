#pragma once
// Parts of a Windows path, read as text.
#include <string>

// The file name part of a path: what follows its last "\".
inline std::wstring FileNameOf(const std::wstring& path) { return path.substr(path.rfind(L'\\') + 1); }
