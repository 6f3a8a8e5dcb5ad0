#include "app/norvalt_box.h"

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

std::wstring OneLine(const std::wstring& text) {
  std::wstring line;
  bool blank = false;
  for (const wchar_t c : text) {
    if (IsBlank(c)) {
      blank = !line.empty();
      continue;
    }
    if (blank) line += L' ';
    blank = false;
    line += c;
  }
  return line;
}

}  // namespace

std::wstring BoxSummary(const std::wstring& caption, const std::wstring& text) {
  const std::wstring body = OneLine(text), title = OneLine(caption);
  if (body.empty()) return title;
  return title.empty() ? body : title + L": " + body;
}

std::wstring BoxNotice(const std::wstring& caption, const std::wstring& text) {
  return L"Norvalt shows a box: \"" + BoxSummary(caption, text) + L"\"";
}
