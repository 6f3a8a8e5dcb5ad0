#include "filelists/paths.h"

std::wstring ExtractDrivePart(std::wstring_view path) {
  if (path.size() >= 2 && path[1] == L':') return std::wstring(path.substr(0, 2));
  if (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\') {
    int separators = 2;
    for (std::size_t i = 2; i < path.size(); ++i)
      if (path[i] == L'\\' && ++separators == 4) return std::wstring(path.substr(0, i));
    return std::wstring(path);
  }
  return {};
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
  std::wstring path(folder);
  if (path.empty() || path.back() != L'\\') path += L'\\';
  path += name;
  return path;
}

bool HasWildcards(std::wstring_view name) { return name.find_first_of(L"*?") != std::wstring_view::npos; }

wchar_t LowerDriveLetter(wchar_t letter) {
  return letter >= L'A' && letter <= L'Z' ? static_cast<wchar_t>(letter - L'A' + L'a') : letter;
}

wchar_t UpperDriveLetter(wchar_t letter) {
  return letter >= L'a' && letter <= L'z' ? static_cast<wchar_t>(letter - L'a' + L'A') : letter;
}

bool SameDriveLetter(wchar_t a, wchar_t b) { return LowerDriveLetter(a) == LowerDriveLetter(b); }
