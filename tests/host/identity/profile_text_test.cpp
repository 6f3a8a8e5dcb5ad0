#include <gtest/gtest.h>

#include <random>

#include "platform/profile_text.h"

namespace {

std::optional<std::string> Read(std::string_view text, std::string_view section = "Velbrook",
                                std::string_view key = "ScriptFile") {
  return ReadProfileValue<char>(text, section, key);
}

std::string Write(std::string_view text, std::string_view value) {
  return WriteProfileValue<char>(text, "Velbrook", "ScriptFile", value);
}

}  // namespace

TEST(ProfileRead, FindsTheKeyOnlyInItsSection) {
  const std::string text =
      "ScriptFile=outside\r\n[Other]\r\nScriptFile=other\r\n[Velbrook]\r\nKeep=1\r\nScriptFile=C:\\S\\a.scr\r\n";
  EXPECT_EQ(Read(text), "C:\\S\\a.scr");
  EXPECT_EQ(Read(text, "Other"), "other");
  EXPECT_EQ(Read(text, "Velbrook", "Missing"), std::nullopt);
  EXPECT_EQ(Read(text, "Missing"), std::nullopt);
  EXPECT_EQ(Read(""), std::nullopt);
}

TEST(ProfileRead, IgnoresCaseSpacesQuotesAndComments) {
  EXPECT_EQ(Read("  [ velbrook ]  \n  scriptfile  =   a b  \n"), "a b");
  EXPECT_EQ(Read("[Velbrook]\nScriptFile=\"quoted path\"\n"), "quoted path");
  EXPECT_EQ(Read("[Velbrook]\nScriptFile=\"half\n"), "\"half");
  EXPECT_EQ(Read("[Velbrook]\n;ScriptFile=commented\n"), std::nullopt);
  EXPECT_EQ(Read("[Velbrook]\nScriptFile=\n"), "");
  EXPECT_EQ(Read("[Velbrook]\rScriptFile=old mac\r"), "old mac");
  EXPECT_EQ(Read("[Velbrook]\nScriptFile=a=b"), "a=b");
}

TEST(ProfileWrite, ChangesOnlyTheKeysLine) {
  const std::string before =
      "; top comment\r\n\r\n[Other]\r\n  Spaced Key = value  with  spaces  \r\nodd line\r\n\r\n"
      "[Velbrook]\r\nScriptFile = old \r\nKeep=1\r\n# hash\r\n[Tail]\r\nx=y";
  const std::string after =
      "; top comment\r\n\r\n[Other]\r\n  Spaced Key = value  with  spaces  \r\nodd line\r\n\r\n"
      "[Velbrook]\r\nScriptFile =C:\\new.scr\r\nKeep=1\r\n# hash\r\n[Tail]\r\nx=y";
  EXPECT_EQ(Write(before, "C:\\new.scr"), after);
  EXPECT_EQ(Read(after), "C:\\new.scr");
}

TEST(ProfileWrite, CreatesSectionAndKeyWhenMissing) {
  EXPECT_EQ(Write("", "C:\\a.scr"), "[Velbrook]\r\nScriptFile=C:\\a.scr\r\n");
  EXPECT_EQ(Write("", ""), "[Velbrook]\r\nScriptFile=\r\n");
  EXPECT_EQ(Write("[Other]\nx=1", "v"), "[Other]\nx=1\n[Velbrook]\nScriptFile=v\n");
  // The key goes after the section's last non-blank line, before blank lines and the next section.
  EXPECT_EQ(Write("[Velbrook]\r\nKeep=1\r\n\r\n[Tail]\r\n", "v"),
            "[Velbrook]\r\nKeep=1\r\nScriptFile=v\r\n\r\n[Tail]\r\n");
  EXPECT_EQ(Write("[Velbrook]", "v"), "[Velbrook]\r\nScriptFile=v\r\n");
}

TEST(ProfileWrite, UsesTheFirstOfRepeatedSectionsAndKeys) {
  const std::string text = "[Velbrook]\nA=1\n[Velbrook]\nScriptFile=second\nScriptFile=third\n";
  EXPECT_EQ(Read(text), "second");
  EXPECT_EQ(Write(text, "new"), "[Velbrook]\nA=1\n[Velbrook]\nScriptFile=new\nScriptFile=third\n");
  EXPECT_EQ(Write("[Velbrook]\nA=1\n[X]\n[Velbrook]\nB=2\n", "v"),
            "[Velbrook]\nA=1\nScriptFile=v\n[X]\n[Velbrook]\nB=2\n");
}

TEST(ProfileWrite, AValueCannotBreakTheLine) {
  const std::string written = Write("", "C:\\a.scr\r\n[Evil]\r\nx=1");
  EXPECT_EQ(written, "[Velbrook]\r\nScriptFile=C:\\a.scr\r\n");
}

TEST(ProfileWrite, WideTextWorksTheSame) {
  const std::wstring written = WriteProfileValue<wchar_t>(L"[Velbrook]\r\nScriptFile=x\r\n", L"Velbrook", L"ScriptFile",
                                                          L"C:\\\u00e9t\u00e9.scr");
  EXPECT_EQ(written, L"[Velbrook]\r\nScriptFile=C:\\\u00e9t\u00e9.scr\r\n");
  EXPECT_EQ(ReadProfileValue<wchar_t>(written, L"VELBROOK", L"scriptfile"), L"C:\\\u00e9t\u00e9.scr");
}

TEST(ProfileText, GarbageAndLongValuesSurviveAWrite) {
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    std::string garbage(random() % 600, '\0');
    for (char& c : garbage) c = static_cast<char>(random() % 256);
    const std::string value(random() % 3000, 'v');
    const std::string written = Write(garbage, value);
    EXPECT_EQ(Read(written), value) << "round " << round;
    // Writing again changes only the value.
    EXPECT_EQ(Write(written, value), written) << "round " << round;
  }
}
