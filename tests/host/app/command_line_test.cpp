#include <gtest/gtest.h>

#include "app/command_line.h"

TEST(CommandLine, ReadsARunsSwitchesInAnyCaseAndRefusesWhatItDoesNotKnow) {
  EXPECT_FALSE(ParseCommandLine({}));  // an interactive start

  const auto run = ParseCommandLine({L"/process", L"D:\\NC Jobs\\Drop", L"-SCRIPT", L"D:\\tidy.nvs", L"/Mask",
                                     L"*.nc;*.tap", L"/CONTINUE"});
  ASSERT_TRUE(run);
  EXPECT_FALSE(run->Usage);
  EXPECT_EQ(run->Folder, L"D:\\NC Jobs\\Drop");
  EXPECT_EQ(run->Script, L"D:\\tidy.nvs");
  EXPECT_EQ(run->Mask, L"*.nc;*.tap");
  EXPECT_TRUE(run->ContinueAfterErrors);
  EXPECT_EQ(ParseCommandLine({L"/Process", L"D:\\NC", L"/Script", L"D:\\s.nvs"})->Mask, L"*.*");
  EXPECT_TRUE(ParseCommandLine({L"/?"})->Usage);

  auto refusal = [](std::vector<std::wstring> arguments) {
    try {
      ParseCommandLine(arguments);
    } catch (const EBadArguments& e) {
      return e.Message();
    }
    return std::wstring(L"accepted");
  };
  EXPECT_EQ(refusal({L"/Bogus"}), L"Unknown switch: /Bogus");
  EXPECT_EQ(refusal({L"/Process", L"/Script", L"D:\\s.nvs"}), L"The switch /Process needs a value.");
  EXPECT_EQ(refusal({L"/Process", L"D:\\NC", L"/Script"}), L"The switch /Script needs a value.");
  EXPECT_EQ(refusal({L"/Process", L"D:\\NC"}), L"The script is missing: /Script <file>.");
  EXPECT_EQ(refusal({L"/Script", L"D:\\s.nvs", L"/Continue"}), L"The folder to process is missing: /Process <folder>.");
  EXPECT_EQ(refusal({L"D:\\NC"}), L"Unexpected argument: D:\\NC");
}
