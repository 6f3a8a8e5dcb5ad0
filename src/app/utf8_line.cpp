#include "app/utf8_line.h"

#include <algorithm>

#include "base/text.h"

std::string Utf8Field(std::wstring value) {
  const auto splitsLine = [](wchar_t c) { return c == L'\t' || c == L'\r' || c == L'\n'; };
  std::replace_if(value.begin(), value.end(), splitsLine, L' ');
  return EncodeUtf8(value);
}

std::string TabSeparatedLine(const std::vector<std::string>& fields) {
  std::string line;
  for (const std::string& field : fields) line += (line.empty() ? "" : "\t") + field;
  return line + "\r\n";
}
