#include "ui/style_data.h"

#include <algorithm>
#include <cwctype>

#include "base/errors.h"

namespace {

std::wstring Trim(const std::wstring& s) {
  const auto first = s.find_first_not_of(L" \t\r");
  if (first == std::wstring::npos) return {};
  return s.substr(first, s.find_last_not_of(L" \t\r") - first + 1);
}

bool ParseHexColor(const std::wstring& text, std::uint32_t& bgr) {
  if (text.size() != 7 || text[0] != L'#') return false;
  std::uint32_t rgb = 0;
  for (std::size_t i = 1; i < 7; ++i) {
    if (!std::iswxdigit(text[i])) return false;
    const wchar_t c = static_cast<wchar_t>(std::towlower(text[i]));
    rgb = rgb * 16 + static_cast<std::uint32_t>(c <= L'9' ? c - L'0' : c - L'a' + 10);
  }
  bgr = ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
  return true;
}

}  // namespace

TStyleColors ParseStyleColors(const std::wstring& text) {
  TStyleColors colors;
  int number = 0;
  for (std::size_t start = 0; start < text.size();) {
    // Lines are split by hand: the stream classes would bring the whole locale machinery
    // into the program file.
    const std::size_t end = std::min(text.find(L'\n', start), text.size());
    const std::wstring line = Trim(text.substr(start, end - start));
    start = end + 1;
    ++number;
    if (line.empty() || line.rfind(L"//", 0) == 0) continue;
    const auto eq = line.find(L'=');
    std::uint32_t bgr = 0;
    if (eq == std::wstring::npos || Trim(line.substr(0, eq)).empty() || !ParseHexColor(Trim(line.substr(eq + 1)), bgr))
      throw Exception(L"Style error at line " + std::to_wstring(number) + L": \"Key = #RRGGBB\" was expected");
    colors[Trim(line.substr(0, eq))] = bgr;
  }
  return colors;
}
