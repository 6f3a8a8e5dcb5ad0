#include "app/time_limit.h"

namespace {

std::wstring_view Trimmed(std::wstring_view text) {
  const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

std::wstring RefusalOf(std::wstring_view typed) {
  return L"\"" + std::wstring(typed) +
         L"\" is no time limit. Write a number of seconds or minutes, such as 90s or 15m (a bare number means "
         L"minutes), from 5s to 24 hours, or 0 for none.";
}

}  // namespace

TTimeLimit::TParsed TTimeLimit::Parse(std::wstring_view typed) {
  std::wstring_view text = Trimmed(typed);
  TUnit unit = TUnit::Minutes;
  if (!text.empty() && (text.back() == L's' || text.back() == L'S' || text.back() == L'm' || text.back() == L'M')) {
    unit = text.back() == L's' || text.back() == L'S' ? TUnit::Seconds : TUnit::Minutes;
    text = Trimmed(text.substr(0, text.size() - 1));
  }
  if (text.empty() || text.size() > 6) return {std::nullopt, RefusalOf(Trimmed(typed))};
  long long count = 0;
  for (const wchar_t c : text) {
    if (!IsDigit(c)) return {std::nullopt, RefusalOf(Trimmed(typed))};
    count = count * 10 + (c - L'0');
  }
  const TTimeLimit limit(count, unit);
  if (count != 0 && (limit.Seconds() < kLeastSeconds || limit.Seconds() > kMostSeconds))
    return {std::nullopt, RefusalOf(Trimmed(typed))};
  return {count == 0 ? TTimeLimit() : limit, {}};
}

std::wstring TTimeLimit::Text() const {
  if (None()) return L"0";
  return std::to_wstring(FCount) + (FUnit == TUnit::Seconds ? L"s" : L"m");
}
