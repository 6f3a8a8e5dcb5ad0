// The portable pieces of a run that needs nobody: the time limit per file as typed, the time
// left, the log of command-line runs, and the words about a box that Norvalt shows.
#include <gtest/gtest.h>

#include "app/command_runs.h"
#include "app/norvalt_box.h"
#include "app/time_left.h"
#include "app/time_limit.h"

using namespace std::chrono_literals;

TEST(TimeLimit, ReadsSecondsMinutesAndNoneAndGivesThemBackInTheUnitWritten) {
  const auto read = [](std::wstring_view typed) {
    const TTimeLimit::TParsed parsed = TTimeLimit::Parse(typed);
    EXPECT_TRUE(parsed.Limit) << std::string(typed.begin(), typed.end());
    return parsed.Limit.value_or(TTimeLimit());
  };
  EXPECT_EQ(read(L"90s").Seconds(), 90);
  EXPECT_EQ(read(L"90s").Text(), L"90s");
  EXPECT_EQ(read(L" 15 M ").Seconds(), 900);
  EXPECT_EQ(read(L" 15 M ").Text(), L"15m");
  EXPECT_EQ(read(L"15").Text(), L"15m");
  EXPECT_EQ(read(L"5s").Seconds(), 5);
  EXPECT_EQ(read(L"1440m").Seconds(), 86400);
  for (const wchar_t* none : {L"0", L"0s", L" 00m"}) {
    EXPECT_TRUE(read(none).None());
    EXPECT_EQ(read(none).Text(), L"0");
  }
  EXPECT_EQ(read(L"120s").Text(), L"120s");
}

TEST(TimeLimit, RefusesGarbageAndLimitsOutOfRangeSayingWhatItTakes) {
  for (const wchar_t* bad :
       {L"", L"s", L"4s", L"1441m", L"86401s", L"-5m", L"1.5m", L"10 min", L"ten", L"9999999999m"}) {
    const TTimeLimit::TParsed parsed = TTimeLimit::Parse(bad);
    EXPECT_FALSE(parsed.Limit) << std::wstring_view(bad).size();
    EXPECT_NE(parsed.Error.find(L"such as 90s or 15m"), std::wstring::npos);
  }
  EXPECT_EQ(TTimeLimit::Parse(L" 4s ").Error,
            L"\"4s\" is no time limit. Write a number of seconds or minutes, such as 90s or 15m (a bare number means "
            L"minutes), from 5s to 24 hours, or 0 for none.");
}

TEST(TimeLeft, WaitsForThreeFilesOrTenSecondsThenTellsSecondsOrMinutes) {
  EXPECT_FALSE(EstimateTimeLeft(0, 50, 0ms));
  EXPECT_FALSE(EstimateTimeLeft(2, 50, 9999ms));
  EXPECT_EQ(EstimateTimeLeft(1, 50, 10s), 490s);
  EXPECT_EQ(EstimateTimeLeft(3, 5, 3s), 2s);
  EXPECT_EQ(EstimateTimeLeft(3, 4, 1000ms), 1s);  // a third of a second, rounded up
  EXPECT_EQ(EstimateTimeLeft(5, 5, 100s), 0s);
  EXPECT_EQ(TimeLeftText(0s), L"about 1 s left");
  EXPECT_EQ(TimeLeftText(59s), L"about 59 s left");
  EXPECT_EQ(TimeLeftText(60s), L"about 1 min left");
  EXPECT_EQ(TimeLeftText(269s), L"about 4 min left");
  EXPECT_EQ(TimeLeftText(270s), L"about 5 min left");
  EXPECT_EQ(WithTimeLeft(L"Treating B.NC (2 of 50)", 240s), L"Treating B.NC (2 of 50), about 4 min left");
  EXPECT_EQ(WithTimeLeft(L"Treating B.NC (2 of 50)", std::nullopt), L"Treating B.NC (2 of 50)");
}

TEST(CommandRuns, OneSafeLinePerRunAndTheOldestWholeLinesGoFirst) {
  TCommandRun run;
  run.Started = L"2026-12-10 02:00:00";
  run.CommandLine = L"/Process D:\\NC\\Dr\u00f6p /Script tidy.nvs\t/Continue";
  run.ExitCode = 2;
  run.Message = L"Unknown switch /Contineu.\r\nSee Velbrook /?";
  EXPECT_EQ(CommandRunLine(run),
            "2026-12-10 02:00:00\t/Process D:\\NC\\Dr\xC3\xB6p /Script tidy.nvs /Continue\t2\t0\t0\t-\t"
            "Unknown switch /Contineu.  See Velbrook /?\r\n");
  run.RunFolder = L"C:\\Runs\\2026-12-10 02.00.00";
  run.Message.clear();
  run.Treated = 4;
  run.Failed = 1;
  EXPECT_NE(CommandRunLine(run).find("\t4\t1\tC:\\Runs\\2026-12-10 02.00.00\t-\r\n"), std::string::npos);

  EXPECT_EQ(AppendKeepingUnder("", "new\r\n", 10), "new\r\n");
  EXPECT_EQ(AppendKeepingUnder("a\r\nb\r\n", "new\r\n", 10), "b\r\nnew\r\n");
  EXPECT_EQ(AppendKeepingUnder("a\r\nb\r\n", "new\r\n", 11), "a\r\nb\r\nnew\r\n");
  EXPECT_EQ(AppendKeepingUnder("cut off", "new\r\n", 100), "cut off\r\nnew\r\n");
  EXPECT_EQ(AppendKeepingUnder("a\r\nb\r\n", "a line too long\r\n", 10), "a line too long\r\n");
}

TEST(BoxNotice, PutsCaptionAndTextOnOneLine) {
  EXPECT_EQ(BoxNotice(L"Norvalt", L"Tool table T12 missing"),
            L"Norvalt shows a box: \"Norvalt: Tool table T12 missing\"");
  EXPECT_EQ(BoxSummary(L"Norvalt", L"  Tool table\r\nT12 \t missing\n"), L"Norvalt: Tool table T12 missing");
  EXPECT_EQ(BoxSummary(L"Norvalt", L""), L"Norvalt");
  EXPECT_EQ(BoxSummary(L"", L"Save changes?"), L"Save changes?");
}
