#include "nc_script.h"

#include <gtest/gtest.h>

namespace {

std::string ErrorOf(std::string_view script) {
  try {
    ParseScript(script);
  } catch (const TScriptError& e) {
    return e.what();
  }
  return "no error";
}

}  // namespace

TEST(ParseScript, ReadsRulesOfBothStepsInOrder) {
  const TScript script = ParseScript(
      "# a comment\r\n"
      "; another\r\n"
      "\r\n"
      "step1 replace \"G0 \" \"G00 \"\r\n"
      "  step1\tstrip-comments\r\n"
      "step2 renumber 100 5\r\n"
      "step2 uppercase\r\n");
  ASSERT_EQ(script.Step1.size(), 2u);
  EXPECT_EQ(script.Step1[0].Kind, TRuleKind::Replace);
  EXPECT_EQ(script.Step1[0].From, "G0 ");
  EXPECT_EQ(script.Step1[0].To, "G00 ");
  EXPECT_EQ(script.Step1[1].Kind, TRuleKind::StripComments);
  ASSERT_EQ(script.Step2.size(), 2u);
  EXPECT_EQ(script.Step2[0].Kind, TRuleKind::Renumber);
  EXPECT_EQ(script.Step2[0].Start, 100);
  EXPECT_EQ(script.Step2[0].Step, 5);
  EXPECT_EQ(script.Step2[1].Kind, TRuleKind::Uppercase);
  EXPECT_TRUE(script.Directives.empty());
  EXPECT_FALSE(script.TracePath);
  EXPECT_FALSE(script.Folder);
}

TEST(ParseScript, QuotedWordsKeepBackslashesAndDoubledQuotes) {
  const TScript script = ParseScript("trace \"C:\\NC\\trace log.txt\"\nstep1 replace \"say \"\"hi\"\"\" \"\"\n");
  EXPECT_EQ(script.TracePath, "C:\\NC\\trace log.txt");
  EXPECT_EQ(script.Step1.at(0).From, "say \"hi\"");
  EXPECT_EQ(script.Step1.at(0).To, "");
}

TEST(ParseScript, ReadsFailAndCrashDirectives) {
  const TScript script = ParseScript(
      "fail OpenNcFile file part2.nc description \"Norvalt can't read it\" status 0x80070005\n"
      "fail ScriptStep1\n"
      "crash SaveNcFileAs file \"C:\\jobs\\p.nc\"\n");
  ASSERT_EQ(script.Directives.size(), 3u);
  const TCallDirective& first = script.Directives[0];
  EXPECT_EQ(first.Action, TCallDirective::Fail);
  EXPECT_EQ(first.Call, TCall::OpenNcFile);
  EXPECT_EQ(first.File, "part2.nc");
  EXPECT_EQ(first.Description, "Norvalt can't read it");
  EXPECT_EQ(first.Status, 0x80070005u);
  EXPECT_EQ(script.Directives[1].Status, 0x80004005u);
  EXPECT_FALSE(script.Directives[1].Description);
  EXPECT_EQ(script.Directives[2].Action, TCallDirective::Crash);
  EXPECT_EQ(script.Directives[2].File, "C:\\jobs\\p.nc");
}

TEST(ParseScript, ReadsTheThreeKindsOfFolderAnswer) {
  EXPECT_EQ(ParseScript("folder \"D:\\JOBS\\\"").Folder->Text, "D:\\JOBS\\");
  EXPECT_EQ(ParseScript("folder \"\"").Folder->Kind, TFolderAnswer::TKind::Text);
  const TScript number = ParseScript("folder -42");
  EXPECT_EQ(number.Folder->Kind, TFolderAnswer::TKind::Number);
  EXPECT_EQ(number.Folder->Number, -42);
  EXPECT_EQ(ParseScript("folder empty").Folder->Kind, TFolderAnswer::TKind::Empty);
  EXPECT_EQ(ParseScript("folder \"empty\"").Folder->Kind, TFolderAnswer::TKind::Text);
}

TEST(ParseScript, BadLinesAreReportedWithTheirNumber) {
  EXPECT_EQ(ErrorOf("step1 uppercase\n\nstep1 frobnicate\n"), "line 3: unknown rule \"frobnicate\"");
  EXPECT_EQ(ErrorOf("step3 uppercase"), "line 1: unknown directive \"step3\"");
  EXPECT_EQ(ErrorOf("fail OpenFile"), "line 1: unknown call \"OpenFile\"");
  EXPECT_EQ(ErrorOf("fail OpenNcFile file"), "line 1: \"file\" needs a value");
  EXPECT_EQ(ErrorOf("crash OpenNcFile description \"x\""), "line 1: unknown option \"description\"");
  EXPECT_EQ(ErrorOf("fail GetFolder status 0xZZ"), "line 1: bad status \"0xZZ\"");
  EXPECT_EQ(ErrorOf("step1 replace \"a\" \"b"), "line 1: missing closing quote");
  EXPECT_EQ(ErrorOf("step1 replace \"\" \"b\""), "line 1: replace needs a text to look for");
  EXPECT_EQ(ErrorOf("step2 renumber 10"), "line 1: expected: stepN renumber <start> <increment>");
  EXPECT_EQ(ErrorOf("step2 renumber 10 ten"), "line 1: increment must be a whole number, not \"ten\"");
  const std::string renumberRange =
      "line 1: renumber needs start from 0 to 999999999 and increment from 1 to 999999999";
  EXPECT_EQ(ErrorOf("step2 renumber 10 0"), renumberRange);
  // Found by fuzzing: a running block number that overflowed.
  EXPECT_EQ(ErrorOf("step2 renumber 9223372036854775807 1"), renumberRange);
  EXPECT_EQ(ErrorOf("step2 renumber 1 4611686018427387904"), renumberRange);
  EXPECT_EQ(ErrorOf("folder 99999999999"), "line 1: the number is out of range");
  EXPECT_EQ(ErrorOf("trace"), "line 1: expected: trace <path>");
  EXPECT_EQ(ErrorOf("delay OpenNcFile soon"), "line 1: milliseconds must be a whole number, not \"soon\"");
  EXPECT_EQ(ErrorOf("delay OpenNcFile -1"), "line 1: a delay lasts 0 to 86400000 ms");
  EXPECT_EQ(ErrorOf("delay OpenNcFile 5 later"), "line 1: \"later\" needs a value");
  EXPECT_EQ(ErrorOf("box ScriptStep1 \"Norvalt\""),
            "line 1: expected: box <Call> \"caption\" \"text\" [file <name-or-path>]");
  EXPECT_EQ(ErrorOf("box ScriptStep1 a b status 1"), "line 1: unknown option \"status\"");
}

TEST(ParseScript, ToleratesAByteOrderMarkAndAnUnterminatedLastLine) {
  const TScript script = ParseScript("\xEF\xBB\xBFstep1 uppercase");
  EXPECT_EQ(script.Step1.size(), 1u);
}

TEST(FindDirective, MatchesByCallThenByFullPathOrNameIgnoringCase) {
  const TScript script = ParseScript(
      "fail OpenNcFile file PART2.NC description one\n"
      "fail OpenNcFile file \"c:\\jobs\\part3.nc\" description two\n"
      "fail SaveNcFileAs description three\n");
  EXPECT_EQ(FindDirective(script.Directives, TCall::OpenNcFile, "C:\\other\\part2.nc")->Description, "one");
  EXPECT_EQ(FindDirective(script.Directives, TCall::OpenNcFile, "C:\\JOBS\\PART3.NC")->Description, "two");
  EXPECT_EQ(FindDirective(script.Directives, TCall::OpenNcFile, "C:\\other\\part3.nc"), nullptr);
  EXPECT_EQ(FindDirective(script.Directives, TCall::OpenNcFile, ""), nullptr);
  EXPECT_EQ(FindDirective(script.Directives, TCall::SaveNcFileAs, "anything.nc")->Description, "three");
  EXPECT_EQ(FindDirective(script.Directives, TCall::ScriptStep1, "part2.nc"), nullptr);

  // A delayed call may still fail: the two are found apart, whichever comes first.
  const TScript delayed = ParseScript(
      "delay SaveNcFileAs 150 file part2.nc\n"
      "fail SaveNcFileAs file part2.nc\n");
  const TCallDirective* delay =
      FindDirective(delayed.Directives, TCall::SaveNcFileAs, "C:\\x\\PART2.NC", TDirectiveStage::DelayBefore);
  ASSERT_NE(delay, nullptr);
  EXPECT_EQ(delay->Milliseconds, 150u);
  EXPECT_EQ(FindDirective(delayed.Directives, TCall::SaveNcFileAs, "C:\\x\\part2.nc")->Action, TCallDirective::Fail);
  EXPECT_EQ(FindDirective(delayed.Directives, TCall::SaveNcFileAs, "C:\\x\\part1.nc", TDirectiveStage::DelayBefore),
            nullptr);

  // A wait after the work and a box are found apart from the wait before it.
  const TScript staged = ParseScript(
      "delay SaveNcFileAs 90 after file part2.nc\n"
      "box ScriptStep1 \"Norvalt\" \"Tool table T12 missing\" file part2.nc\n");
  EXPECT_EQ(FindDirective(staged.Directives, TCall::SaveNcFileAs, "part2.nc", TDirectiveStage::DelayBefore), nullptr);
  const TCallDirective* after =
      FindDirective(staged.Directives, TCall::SaveNcFileAs, "part2.nc", TDirectiveStage::DelayAfter);
  ASSERT_NE(after, nullptr);
  EXPECT_EQ(after->Milliseconds, 90u);
  const TCallDirective* box =
      FindDirective(staged.Directives, TCall::ScriptStep1, "C:\\x\\part2.nc", TDirectiveStage::Box);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->Caption, "Norvalt");
  EXPECT_EQ(box->Text, "Tool table T12 missing");
  EXPECT_EQ(FindDirective(staged.Directives, TCall::ScriptStep1, "part2.nc"), nullptr);
}
