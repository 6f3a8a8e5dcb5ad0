#pragma once
// Path rules of the Windows model: drive parts, joining, wildcards.
#include <string>
#include <string_view>
#include <vector>

// "C:" for "C:\NC", "\\server\share" for "\\server\share\NC" (up to the fourth "\" or the
// end), else empty.
std::wstring ExtractDrivePart(std::wstring_view path);
// folder and name with exactly one "\" between them.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);
bool HasWildcards(std::wstring_view name);
// The patterns of a mask: separated by ";", blanks around each ignored, empty ones left out.
std::vector<std::wstring> MaskPatterns(std::wstring_view mask);
// Whether MatchesMask answers for pattern exactly as the file system's own search does.
// Only for the patterns that take every name: any other may also match a name's short 8.3
// alias ("*.n??" takes x.ncfile), and the file system drops trailing blanks and dots.
bool MatcherAgreesWithFileSystem(std::wstring_view pattern);
// name against one plain pattern, ignoring case, with the file system's wildcard rules:
// "?" is one character, or none before a dot or at the end; "*" is any run, but a "*"
// before a "." stops at the name's last dot; a "." before a wildcard or at the end also
// matches the end of the name. So "*.*" takes every name and "*." names without a dot.
bool MatchesMask(std::wstring_view name, std::wstring_view pattern);
// Drive letters compare with only "a" to "z" folded.
bool SameDriveLetter(wchar_t a, wchar_t b);
wchar_t LowerDriveLetter(wchar_t letter);
wchar_t UpperDriveLetter(wchar_t letter);
