#include <gtest/gtest.h>

#include "base/errors.h"
#include "ui/error_text.h"
#include "ui/style_data.h"

TEST(ErrorBox, TitleIsTheProgramNameUpToItsFirstPointCapitalisedOnce) {
  EXPECT_EQ(ApplicationTitleFromExeName(L"C:\\Program Files\\Ombrel\\VELBROOK.EXE"), L"Velbrook");
  EXPECT_EQ(ApplicationTitleFromExeName(L"velbrook.exe"), L"velbrook");
  EXPECT_EQ(ApplicationTitleFromExeName(L"D:\\x.y\\Velbrook.test.exe"), L"Velbrook");
  EXPECT_EQ(ApplicationTitleFromExeName(L"NOEXT"), L"Noext");
}

TEST(ErrorBox, PointIsAddedOnlyAfterCharactersAboveThePoint) {
  EXPECT_EQ(ErrorBoxText(L"File not found"), L"File not found.");
  EXPECT_EQ(ErrorBoxText(L"Done."), L"Done.");
  EXPECT_EQ(ErrorBoxText(L"Really!"), L"Really!");  // '!' sorts before '.'
  EXPECT_EQ(ErrorBoxText(L"C:\\"), L"C:\\.");       // '\' sorts after '.'
  EXPECT_EQ(ErrorBoxText(L"path/"), L"path/.");
  EXPECT_EQ(ErrorBoxText(L"Code 5"), L"Code 5.");
  EXPECT_EQ(ErrorBoxText(L""), L"");
}

TEST(Style, ColoursAreReadAsGdiValues) {
  const TStyleColors colors = ParseStyleColors(L"// Glossy\n\nFace = #F0F4FA\r\n  Text=#102030  \n");
  ASSERT_EQ(colors.size(), 2u);
  EXPECT_EQ(colors.at(L"Face"), 0xFAF4F0u);
  EXPECT_EQ(colors.at(L"Text"), 0x302010u);
}

TEST(Style, MalformedLinesAreRefused) {
  EXPECT_THROW(ParseStyleColors(L"Face #F0F4FA"), Exception);
  EXPECT_THROW(ParseStyleColors(L"Face = F0F4FA"), Exception);
  EXPECT_THROW(ParseStyleColors(L"Face = #F0F4FG"), Exception);
  EXPECT_THROW(ParseStyleColors(L" = #F0F4FA"), Exception);
}
