#pragma once
// Lines of UTF-8 text with tab-separated fields, as the program's logs keep them.
#include <string>
#include <string_view>
#include <vector>

// A value as one field of a line: tabs and line breaks, which would split it, become blanks.
std::string Utf8Field(std::wstring value);
// The fields joined by tabs, ending in CRLF.
std::string TabSeparatedLine(const std::vector<std::string>& fields);
