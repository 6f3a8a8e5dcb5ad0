#include <gtest/gtest.h>

#include "base/file_names.h"
#include "base/text.h"

TEST(Text, Utf8AndUtf16ConvertBothWaysAndBrokenBytesBecomeReplacementCharacters) {
  EXPECT_EQ(Utf8ToWide("\xEF\xBB\xBF"
                       "A\xC3\xA9\xE2\x82\xAC"),
            L"A\u00E9\u20AC");
  EXPECT_EQ(Utf8ToWide("\xC3"), L"\uFFFD");              // cut in the middle of a character
  EXPECT_EQ(Utf8ToWide("\xF0\x9F\x98\x80").size(), 2u);  // a surrogate pair
  EXPECT_EQ(EncodeUtf8(L"A\u00E9\u20AC"), "A\xC3\xA9\xE2\x82\xAC");
  // A surrogate pair is one character; a lone surrogate is kept on its own.
  const std::wstring pair{static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
  EXPECT_EQ(EncodeUtf8(pair), "\xF0\x9F\x98\x80");
  EXPECT_EQ(EncodeUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xED\xA0\x80");
}

TEST(Text, AsciiCaseIsIgnoredForAsciiLettersOnly) {
  EXPECT_TRUE(EqualIgnoringAsciiCase(L"Con.NC", L"cON.nc"));
  EXPECT_FALSE(EqualIgnoringAsciiCase(L"\u00C9", L"\u00E9"));
  EXPECT_FALSE(EqualIgnoringAsciiCase(L"A", L"AB"));
  EXPECT_EQ(AsciiUpper(L'z'), L'Z');
  EXPECT_EQ(AsciiLower(L'@'), L'@');
}

TEST(ProgramFileName, IsThePartAfterTheLastSeparator) {
  EXPECT_EQ(FileNameOf(L"C:\\Program Files\\Ombrel\\Velbrook.exe"), L"Velbrook.exe");
  EXPECT_EQ(FileNameOf(L"Velbrook.exe"), L"Velbrook.exe");
  EXPECT_EQ(FileNameOf(L"C:\\dir\\"), L"");
}
