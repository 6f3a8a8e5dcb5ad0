#include "app/filter_text.h"

#include <algorithm>

#include "base/text.h"
#include "filelists/paths.h"

namespace {

constexpr wchar_t kStoredSeparator = L'|';

// The platform takes these names, with any extension, for its devices in every folder.
bool NamesDevice(std::wstring_view pattern) {
  std::wstring_view name = pattern.substr(0, pattern.find(L'.'));
  name = name.substr(0, name.find_last_not_of(L' ') + 1);
  if (name.size() == 4 && name[3] >= L'1' && name[3] <= L'9') {
    const std::wstring_view stem = name.substr(0, 3);
    return EqualIgnoringAsciiCase(stem, L"COM") || EqualIgnoringAsciiCase(stem, L"LPT");
  }
  return EqualIgnoringAsciiCase(name, L"CON") || EqualIgnoringAsciiCase(name, L"PRN") ||
         EqualIgnoringAsciiCase(name, L"AUX") || EqualIgnoringAsciiCase(name, L"NUL");
}

}  // namespace

std::optional<TFilter> ParseFilter(std::wstring_view typed) {
  TFilter filter;
  for (const std::wstring& pattern : MaskPatterns(typed)) {
    if (pattern.find_first_of(L"\\/:\"<>|") != std::wstring::npos || NamesDevice(pattern)) return std::nullopt;
    if (!filter.Text.empty()) filter.Text += L';';
    filter.Text += pattern;
  }
  return filter;
}

void TRecentFilters::Use(const std::wstring& filter) {
  if (filter.empty()) return;
  FItems.erase(std::remove_if(FItems.begin(), FItems.end(),
                              [&filter](const std::wstring& item) { return EqualIgnoringAsciiCase(item, filter); }),
               FItems.end());
  FItems.insert(FItems.begin(), filter);
  if (FItems.size() > kMaxCount) FItems.resize(kMaxCount);
}

std::wstring TRecentFilters::Stored() const {
  std::wstring stored;
  for (const std::wstring& item : FItems) {
    if (!stored.empty()) stored += kStoredSeparator;
    stored += item;
  }
  return stored;
}

TRecentFilters TRecentFilters::FromStored(std::wstring_view stored) {
  std::vector<std::wstring> filters;
  std::size_t start = 0;
  while (start <= stored.size()) {
    const std::size_t end = std::min(stored.find(kStoredSeparator, start), stored.size());
    if (const std::optional<TFilter> filter = ParseFilter(stored.substr(start, end - start)))
      filters.push_back(filter->Text);
    start = end + 1;
  }
  // Oldest first, so that the newest ends in front and wins over its duplicates.
  TRecentFilters recent;
  for (auto filter = filters.rbegin(); filter != filters.rend(); ++filter) recent.Use(*filter);
  return recent;
}
