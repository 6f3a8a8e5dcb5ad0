#include "automation/ole_error_text.h"

#include <gtest/gtest.h>

TEST(OleErrorText, PrefersTheServersDescription) {
  EXPECT_EQ(
      OleErrorText(static_cast<std::int32_t>(0x80004005u), L"Norvalt can't read the file", L"Unspecified error\r\n"),
      L"Norvalt can't read the file");
}

TEST(OleErrorText, FallsBackToThePlatformTextWithoutTrailingBreaks) {
  EXPECT_EQ(OleErrorText(static_cast<std::int32_t>(0x80070002u), L"", L"File not found.\r\n"), L"File not found.");
  EXPECT_EQ(OleErrorText(-1, L"", L"Two lines\r\nof text \r\n \r\n"), L"Two lines\r\nof text");
}

TEST(OleErrorText, NamesTheStatusInLowerCaseHexWhenNothingElseIsKnown) {
  EXPECT_EQ(OleErrorText(static_cast<std::int32_t>(0x8ABCDEF0u), L"", L""), L"OLE error 8abcdef0");
  EXPECT_EQ(OleErrorText(static_cast<std::int32_t>(0x8ABCDEF0u), L"", L"\r\n  "), L"OLE error 8abcdef0");
  EXPECT_EQ(OleErrorText(0x1234, L"", L""), L"OLE error 00001234");
}

TEST(OleErrorText, RecognisesOnlyTheCancelStatusAsAbort) {
  EXPECT_TRUE(IsAbortStatus(static_cast<std::int32_t>(0xA0004004u)));
  EXPECT_FALSE(IsAbortStatus(static_cast<std::int32_t>(0x80004004u)));
  EXPECT_FALSE(IsAbortStatus(static_cast<std::int32_t>(0xA0004005u)));
}

TEST(TrimMessageEnd, KeepsInnerSpacingAndEmptiesBlankText) {
  EXPECT_EQ(TrimMessageEnd(L"  a b\t\n"), L"  a b");
  EXPECT_EQ(TrimMessageEnd(L"\r\n"), L"");
  EXPECT_EQ(TrimMessageEnd(L""), L"");
}
