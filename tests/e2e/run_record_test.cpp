// A run that can be accounted for and taken back: backups, the run's record, Undo, Continue
// After Errors, and a Norvalt whose server dies.
#include "app/run_names.h"
#include "app/run_record_format.h"
#include "app/undo_plan.h"
#include "e2e_fixture.h"
#include "platform/run_files.h"

namespace {

const std::string kTreated = "N100 G00 X0\r\nN110 G1 X5\r\n";

class RunRecordTest : public EndToEndTest {
 protected:
  // The folder of the newest run, with its trailing "\".
  static std::wstring NewestRun() {
    const std::wstring runs = RunsFolder();
    const auto listed = RunsNewestFirst(ListRuns(runs));
    return listed.empty() ? std::wstring() : runs + listed.front().Name + L"\\";
  }
  static TRecordedRun RecordOf(const std::wstring& run) { return ParseRunRecord(ReadFileBytes(run + kRecordFileName)); }
  void RunAndAnswer(const wchar_t* button) {
    FDriver.Press(L"Process");
    const auto box = FDriver.WaitForDialog(kTimeoutMs);
    ASSERT_TRUE(box);
    FLastBox = *box;
    FDriver.Answer(*box, button);
    ASSERT_TRUE(WaitFor([&] { return !FDriver.WaitForDialog(0); }, kTimeoutMs));
  }
  int Opened(const wchar_t* name) { return CountCalls(Trace(), L"OpenNcFile\t" + FFiles.Path() + L"\\" + name); }
  TProgramDialog FLastBox;
};

}  // namespace

TEST_F(RunRecordTest, AFailureLeavesBackupsARecordAndTheFocusOnTheFileAndUndoPutsBackWhatDidNotChange) {
  ASSERT_TRUE(FDriver.Start(VelbrookExe(), kTimeoutMs));
  FDriver.SetScriptPath(
      WriteScript("delay ScriptStep1 1500 file A.NC\r\nfail OpenNcFile file C.NC status 0x80070005\r\n"));
  FDriver.SelectFiles({0, 1, 2, 3, 4});
  FDriver.Press(L"Process");
  // B is backed up while A is treated; written after that, it is backed up again.
  const std::string written = "N1 (written during the run)\r\n";
  ASSERT_TRUE(WaitFor([&] { return CountCalls(Trace(), L"ScriptStep1") == 1 && !NewestRun().empty(); }, kTimeoutMs));
  const std::wstring run = NewestRun();
  ASSERT_TRUE(
      WaitFor([&] { return GetFileAttributesW((run + L"B.NC").c_str()) != INVALID_FILE_ATTRIBUTES; }, kTimeoutMs));
  FFiles.Write(L"B.NC", written);
  ASSERT_EQ(Opened(L"B.NC"), 0);
  const auto box = FDriver.WaitForDialog(kTimeoutMs);
  ASSERT_TRUE(box);
  EXPECT_TRUE(box->ErrorBox);
  FDriver.Answer(*box, L"OK");
  ASSERT_TRUE(WaitFor([&] { return !FDriver.WaitForDialog(0); }, kTimeoutMs));

  EXPECT_EQ(ReadFileBytes(run + L"B.NC"), written);
  for (const wchar_t* name : {L"A.NC", L"C.NC"}) EXPECT_EQ(ReadFileBytes(run + name), kBracket);
  EXPECT_EQ(GetFileAttributesW((run + L"D.NC").c_str()), INVALID_FILE_ATTRIBUTES);
  const TRecordedRun record = RecordOf(run);
  ASSERT_EQ(record.Files.size(), 5u);
  const std::vector<TFileOutcome> outcomes{TFileOutcome::Treated, TFileOutcome::Treated, TFileOutcome::Failed,
                                           TFileOutcome::NotReached, TFileOutcome::NotReached};
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(record.Files[i].Outcome, outcomes[i]) << i;
  EXPECT_EQ(record.Files[2].Error, L"Access denied.");
  EXPECT_EQ(record.Files[0].SizeAfter, kTreated.size());
  EXPECT_FALSE(record.Ended.empty());
  // The failing file has the focus; the selection stays.
  HWND files = FDriver.FileList();
  EXPECT_EQ(SendMessageW(files, LB_GETCARETINDEX, 0, 0), 2);
  GUITHREADINFO focus{sizeof(focus)};
  ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(FDriver.MainWindow(), nullptr), &focus));
  EXPECT_EQ(focus.hwndFocus, files);
  EXPECT_EQ(FDriver.SelectedFiles(), (std::vector<int>{0, 1, 2, 3, 4}));

  // C is changed after the run: Undo puts back A and B and names C.
  FFiles.Write(L"C.NC", "N1 (edited by hand)\r\n");
  FDriver.ChooseSystemMenuEntryFromEnd(kUndoEntry);
  const auto question = FDriver.WaitForDialog(kTimeoutMs);
  ASSERT_TRUE(question);
  EXPECT_EQ(question->Texts.back(), L"Put back 3 files as they were before the run of " + record.Started + L"?");
  FDriver.Answer(*question, L"Yes");
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(question->Window); }, kTimeoutMs));
  const auto result = FDriver.WaitForDialog(kTimeoutMs);
  ASSERT_TRUE(result);
  EXPECT_NE(result->Texts.back().find(L"Put back 2 files."), std::wstring::npos);
  EXPECT_NE(result->Texts.back().find(AsShown(FFiles.Path() + L"\\C.NC")), std::wstring::npos);
  EXPECT_EQ(FileText(L"A.NC"), kBracket);
  EXPECT_EQ(FileText(L"B.NC"), written);
  EXPECT_EQ(FileText(L"C.NC"), "N1 (edited by hand)\r\n");
  EXPECT_EQ(RecordOf(run).PutBack, 2);
  EXPECT_FALSE(CanUndo(RecordOf(run)));
}

TEST_F(RunRecordTest, ContinueAfterErrorsTreatsTheRestAndLeavesOnlyTheFailedFilesSelectedForTheNextRun) {
  FFiles.Write(L"F.NC", kBracket);
  ASSERT_TRUE(FDriver.Start(VelbrookExe(), kTimeoutMs));
  FDriver.ChooseSystemMenuEntryFromEnd(kContinueAfterErrorsEntry);  // Continue After Errors
  ASSERT_TRUE(WaitFor(
      [&] {
        return ReadFileBytes(ProgramFolder() + L"\\velbrook.ini").find("ContinueAfterErrors=1") != std::string::npos;
      },
      kTimeoutMs));
  const std::wstring script =
      WriteScript("fail OpenNcFile file B.NC status 0x80070005\r\nfail SaveNcFileAs file D.NC status 0x80070005\r\n");
  FDriver.SetScriptPath(script);
  FDriver.SelectFiles({0, 1, 2, 3, 4, 5});
  RunAndAnswer(L"OK");
  EXPECT_FALSE(FLastBox.ErrorBox);
  EXPECT_EQ(FLastBox.Texts.back(), L"Treated 4 of 6 files. 2 failed:\r\nB.NC: Access denied.\r\nD.NC: Access denied.");
  for (const wchar_t* name : {L"A.NC", L"C.NC", L"E.NC", L"F.NC"}) EXPECT_EQ(FileText(name), kTreated);
  EXPECT_EQ(FDriver.SelectedFiles(), (std::vector<int>{1, 3}));

  // The failures mended, Process treats exactly the two.
  WriteScript("");
  FDriver.Press(L"Process");
  ASSERT_TRUE(WaitFor([&] { return Opened(L"D.NC") == 2 && FDriver.FindControl(L"Button", L"Process"); }, kTimeoutMs));
  EXPECT_EQ(FileText(L"B.NC"), kTreated);
  EXPECT_EQ(FileText(L"D.NC"), kTreated);
  EXPECT_EQ(Opened(L"A.NC"), 1);
  EXPECT_EQ(Opened(L"B.NC"), 2);
}

TEST_F(RunRecordTest, AServerThatDiesMidRunIsReplaced) {
  WriteFileBytes(ProgramFolder() + L"\\velbrook.ini", "[Velbrook]\r\nContinueAfterErrors=1\r\n");
  ASSERT_TRUE(FDriver.Start(VelbrookExe(), kTimeoutMs));
  FDriver.SetScriptPath(WriteScript("crash OpenNcFile file C.NC\r\n"));
  FDriver.SelectFiles({1, 2, 3, 4});
  RunAndAnswer(L"OK");
  EXPECT_EQ(FLastBox.Texts.back().rfind(L"Treated 3 of 4 files. 1 failed:\r\nC.NC: ", 0), 0u);
  for (const wchar_t* name : {L"B.NC", L"D.NC", L"E.NC"}) EXPECT_EQ(FileText(name), kTreated);
  EXPECT_EQ(CountCalls(Trace(), L"LoadScript"), 2);  // handed again to the new server

  // Without Continue After Errors the run ends at the crash, and the next Process works.
  FDriver.ChooseSystemMenuEntryFromEnd(kContinueAfterErrorsEntry);
  ASSERT_TRUE(WaitFor(
      [&] {
        return ReadFileBytes(ProgramFolder() + L"\\velbrook.ini").find("ContinueAfterErrors=0") != std::string::npos;
      },
      kTimeoutMs));
  FDriver.SelectFiles({2});
  RunAndAnswer(L"OK");
  EXPECT_TRUE(FLastBox.ErrorBox);
  FDriver.SelectFiles({0});
  FDriver.Press(L"Process");
  ASSERT_TRUE(WaitFor([&] { return Opened(L"A.NC") == 1 && FDriver.FindControl(L"Button", L"Process"); }, kTimeoutMs));
  EXPECT_EQ(FileText(L"A.NC"), kTreated);
  EXPECT_FALSE(FDriver.WaitForDialog(2000));
}
