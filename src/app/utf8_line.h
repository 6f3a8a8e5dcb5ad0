#pragma once
// Lines of UTF-8 text with tab-separated fields, as the program's logs keep them.
#include <string>
#include <string_view>
#include <vector>

// UTF-8 of UTF-16 text. A lone surrogate, which a Windows file name may hold, is encoded on
// its own, so that the name reads back as it was.
std::string WideToUtf8(std::wstring_view text);
// A value as one field of a line: tabs and line breaks, which would split it, become blanks.
std::string Utf8Field(std::wstring value);
// The fields joined by tabs, ending in CRLF.
std::string TabSeparatedLine(const std::vector<std::string>& fields);
