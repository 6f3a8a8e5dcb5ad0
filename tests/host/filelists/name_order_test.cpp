#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "fakes.h"
#include "filelists/name_order.h"

namespace {

// The plain way: insert each name after the names equal to it, one at a time.
struct TNaiveList {
  const ICollation& Collation;
  std::vector<std::wstring> Names;
  std::size_t Insert(const std::wstring& name) {
    const auto at = std::upper_bound(
        Names.begin(), Names.end(), name,
        [&](const std::wstring& a, const std::wstring& b) { return Collation.CompareIgnoreCase(a, b) < 0; });
    const auto position = static_cast<std::size_t>(at - Names.begin());
    Names.insert(at, name);
    return position;
  }
};

std::vector<std::wstring> NumberedNames(int count) {
  std::vector<std::wstring> names;
  for (int i = 0; i < count; ++i) names.push_back((i % 3 == 0 ? L"File" : L"file") + std::to_wstring(i % 97) + L".nc");
  return names;
}

}  // namespace

TEST(NameOrder, LandingPositionsAndFinalOrderMatchOneAtATimeInsertion) {
  const TFakeCollation collation;
  std::mt19937 random(7);
  for (int round = 0; round < 20; ++round) {
    std::vector<std::wstring> names = NumberedNames(250);
    std::shuffle(names.begin(), names.end(), random);
    if (round == 1) std::sort(names.begin(), names.end());
    if (round == 2) std::sort(names.rbegin(), names.rend());
    TNaiveList naive{collation, {}};
    TNameOrder order(collation);
    for (const std::wstring& name : names) {
      const std::size_t expected = naive.Insert(name);
      const std::size_t landed = order.Add(name);
      if (expected <= TNameOrder::kTrackedPosition)
        ASSERT_EQ(landed, expected) << "round " << round;
      else
        ASSERT_EQ(landed, TNameOrder::kFarPosition) << "round " << round;
    }
    EXPECT_EQ(order.Sorted(), naive.Names) << "round " << round;
  }
}

TEST(NameOrder, SortedNamesReachPosition100AtThe101st) {
  const TFakeCollation collation;
  TNameOrder order(collation);
  std::vector<std::size_t> landed;
  for (int i = 0; i < 150; ++i)
    landed.push_back(order.Add(L"f" + std::wstring(3 - std::to_wstring(i).size(), L'0') + std::to_wstring(i)));
  EXPECT_EQ(std::count(landed.begin(), landed.end(), TNameOrder::kTrackedPosition), 1);
  EXPECT_EQ(landed[100], TNameOrder::kTrackedPosition);
}

TEST(NameOrder, DistinctKeepsTheFirstOfNamesEqualIgnoringCase) {
  const TFakeCollation collation;
  TNameOrder order(collation);
  for (const wchar_t* name : {L"b", L"Alpha", L"B", L"alpha", L"c"}) order.Add(name);
  EXPECT_EQ(order.Distinct(), (std::vector<std::wstring>{L"Alpha", L"b", L"c"}));
}
