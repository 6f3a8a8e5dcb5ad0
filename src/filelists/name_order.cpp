#include "filelists/name_order.h"

#include <algorithm>

std::size_t TNameOrder::Add(std::wstring_view name) {
  std::string key = FCollation.SortKeyIgnoreCase(name);
  const auto at = std::upper_bound(FLowest.begin(), FLowest.end(), key);
  const auto position = static_cast<std::size_t>(at - FLowest.begin());
  if (position <= kTrackedPosition) {
    FLowest.insert(at, key);
    if (FLowest.size() > kTrackedPosition + 1) FLowest.pop_back();
  }
  FNames.push_back({std::move(key), std::wstring(name)});
  return position <= kTrackedPosition ? position : kFarPosition;
}

void TNameOrder::SortNames() {
  std::stable_sort(FNames.begin(), FNames.end(), [](const TName& a, const TName& b) { return a.Key < b.Key; });
}

std::vector<std::wstring> TNameOrder::TakeTexts() {
  std::vector<std::wstring> texts;
  texts.reserve(FNames.size());
  for (TName& name : FNames) texts.push_back(std::move(name.Text));
  FNames.clear();
  return texts;
}

std::vector<std::wstring> TNameOrder::Distinct() {
  SortNames();
  FNames.erase(std::unique(FNames.begin(), FNames.end(), [](const TName& a, const TName& b) { return a.Key == b.Key; }),
               FNames.end());
  return TakeTexts();
}

std::vector<std::wstring> TNameOrder::Sorted() {
  SortNames();
  return TakeTexts();
}
