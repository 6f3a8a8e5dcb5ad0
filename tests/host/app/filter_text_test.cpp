#include <gtest/gtest.h>

#include "app/filter_text.h"

using TStrings = std::vector<std::wstring>;

TEST(FilterText, PatternsAreTrimmedJoinedAndCheckedForCharactersNoFileNameHolds) {
  EXPECT_EQ(ParseFilter(L" *.nc ;; *.tap ;")->Text, L"*.nc;*.tap");
  EXPECT_EQ(ParseFilter(L"*.nc ")->Mask(), L"*.nc");
  EXPECT_EQ(ParseFilter(L"")->Mask(), L"*.*");
  EXPECT_EQ(ParseFilter(L" ; ")->Text, L"");
  EXPECT_EQ(ParseFilter(L"*..")->Text, L"*..") << "the file system's own reading of dots stands";
  EXPECT_EQ(ParseFilter(L"con*;com0;lpt10")->Text, L"con*;com0;lpt10");
  for (const wchar_t* refused : {L"a|b", L"*.nc;C:*.nc", L"..\\*.nc", L"a/b", L"\"*.nc\"", L"<.nc", L"*.n>", L"con",
                                 L"*.nc;NUL.nc", L"com1 .tap"})
    EXPECT_FALSE(ParseFilter(refused)) << testing::PrintToString(std::wstring(refused));
}

TEST(FilterText, RecentFiltersAreNewestFirstEachOnceAtMostTen) {
  TRecentFilters recent;
  recent.Use(L"*.nc");
  recent.Use(L"*.tap");
  recent.Use(L"");
  recent.Use(L"*.NC");
  EXPECT_EQ(recent.Items(), (TStrings{L"*.NC", L"*.tap"}));
  for (int i = 0; i < 12; ++i) recent.Use(L"*." + std::to_wstring(i));
  ASSERT_EQ(recent.Items().size(), TRecentFilters::kMaxCount);
  EXPECT_EQ(recent.Items().front(), L"*.11");
  EXPECT_EQ(recent.Items().back(), L"*.2");

  TRecentFilters two;
  two.Use(L"*.tap");
  two.Use(L"*.nc;*.tap");
  EXPECT_EQ(two.Stored(), L"*.nc;*.tap|*.tap");
  EXPECT_EQ(TRecentFilters::FromStored(two.Stored()).Items(), two.Items());
  EXPECT_EQ(TRecentFilters::FromStored(recent.Stored()).Items(), recent.Items());
  // A hand-edited line: blanks, empty and refused entries, duplicates.
  EXPECT_EQ(TRecentFilters::FromStored(L" *.nc |||C:\\x|*.TAP|*.NC|*.tap").Items(), (TStrings{L"*.nc", L"*.TAP"}));
  EXPECT_TRUE(TRecentFilters::FromStored(L"").Items().empty());
}
