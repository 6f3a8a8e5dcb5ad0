#pragma once
// Path rules of the Windows model: drive parts, joining, wildcards.
#include <string>
#include <string_view>

// "C:" for "C:\NC", "\\server\share" for "\\server\share\NC" (up to the fourth "\" or the
// end), else empty.
std::wstring ExtractDrivePart(std::wstring_view path);
// folder and name with exactly one "\" between them.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);
bool HasWildcards(std::wstring_view name);
// Drive letters compare with only "a" to "z" folded.
bool SameDriveLetter(wchar_t a, wchar_t b);
wchar_t LowerDriveLetter(wchar_t letter);
wchar_t UpperDriveLetter(wchar_t letter);
