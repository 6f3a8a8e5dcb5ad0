// The safety net under strain: attempts that fail before any file is handed over, Velbrook
// killed in the middle of a file, a record cut in the middle of a line, and a long Undo
// that the window keeps answering during and Esc stops.
#include "app/run_names.h"
#include "app/run_record_format.h"
#include "base/text.h"
#include "e2e_fixture.h"
#include "platform/run_files.h"

namespace {

const std::string kTreated = "N100 G00 X0\r\nN110 G1 X5\r\n";

class SafetyNetTest : public EndToEndTest {
 protected:
  static std::vector<TRunOnDisk> Runs() { return RunsNewestFirst(ListRuns(RunsFolder())); }
  static std::wstring NewestRun() {
    const auto runs = Runs();
    return runs.empty() ? std::wstring() : RunsFolder() + runs.front().Name + L"\\";
  }
  void Start() {
    ASSERT_TRUE(FDriver.Start(VelbrookExe(), kTimeoutMs));
    FDriver.SetScriptPath(FScript);
  }
  // Process on the selected files, until Norvalt has saved `saved` files since the test began.
  void RunUntilSaved(int saved) {
    FDriver.Press(L"Process");
    ASSERT_TRUE(WaitFor([&] { return CountCalls(Trace(), L"SaveNcFileAs") == saved; }, 5 * kTimeoutMs))
        << CountCalls(Trace(), L"SaveNcFileAs");
    ASSERT_TRUE(WaitFor([&] { return FDriver.FindControl(L"Button", L"Process") != nullptr; }, kTimeoutMs));
  }
  // Process, when it ends in a box: answers it.
  void RunAndAnswer() {
    FDriver.Press(L"Process");
    const auto box = FDriver.WaitForDialog(kTimeoutMs);
    ASSERT_TRUE(box);
    FDriver.Answer(*box, L"OK");
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box->Window); }, kTimeoutMs));
    ASSERT_TRUE(WaitFor([&] { return FDriver.FindControl(L"Button", L"Process") != nullptr; }, kTimeoutMs));
  }
  // Chooses Undo in the system menu and answers its question Yes; the question's text.
  std::wstring AskUndo() {
    FDriver.ChooseSystemMenuEntryFromEnd(kUndoEntry);
    const auto question = FDriver.WaitForDialog(kTimeoutMs);
    if (!question) return L"(no question)";
    FDriver.Answer(*question, L"Yes");
    WaitFor([&] { return !IsWindow(question->Window); }, kTimeoutMs);
    return question->Texts.back();
  }
  // The closing message of the Undo under way, answered.
  std::wstring UndoResult() {
    const auto result = FDriver.WaitForDialog(kTimeoutMs);
    if (!result) return L"(no result)";
    FDriver.Answer(*result, L"OK");
    WaitFor([&] { return !IsWindow(result->Window); }, kTimeoutMs);
    return result->Texts.back();
  }
  static bool Has(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

  std::wstring FScript = WriteScript("");
};

}  // namespace

TEST_F(SafetyNetTest, FailedAttemptsKeepTheRunToUndoAndACutRecordIsUndoneOnce) {
  Start();
  FDriver.SelectFiles({0});
  RunUntilSaved(1);
  ASSERT_EQ(FileText(L"A.NC"), kTreated);
  const std::wstring run = NewestRun();

  // Norvalt refuses the script 25 times: no folder is made and no run removed.
  WriteScript("not a rule\r\n");
  for (int attempt = 0; attempt < 25; ++attempt) RunAndAnswer();
  ASSERT_EQ(Runs().size(), 1u);
  EXPECT_EQ(NewestRun(), run);

  // The record's last line is cut in the middle, and Velbrook starts again.
  FDriver.Kill();
  const std::string record = ReadFileBytes(run + kRecordFileName);
  WriteFileBytes(run + kRecordFileName, record.substr(0, record.size() - 6));
  Start();
  EXPECT_TRUE(Has(AskUndo(), L"Put back 1 file as they were"));
  EXPECT_TRUE(Has(UndoResult(), L"Put back 1 file."));
  EXPECT_EQ(FileText(L"A.NC"), kBracket);
  EXPECT_FALSE(ParseRunRecord(ReadFileBytes(run + kRecordFileName)).Undone.empty());
  FDriver.ChooseSystemMenuEntryFromEnd(kUndoEntry);
  EXPECT_FALSE(FDriver.WaitForDialog(2000));
}

TEST_F(SafetyNetTest, AfterVelbrookIsKilledDuringAFileUndoPutsBackTheOthersAndNamesThatOne) {
  FScript = WriteScript("delay SaveNcFileAs 600000 file C.NC\r\n");
  Start();
  FDriver.SelectFiles({0, 1, 2});
  FDriver.Press(L"Process");
  const std::wstring third = FFiles.Path() + L"\\C.NC";
  ASSERT_TRUE(WaitFor([&] { return CountCalls(Trace(), L"SaveNcFileAs\t" + third) == 1; }, kTimeoutMs));
  FDriver.Kill();
  EndStandInServers();
  FFiles.Write(L"C.NC", "N1 (edited after the crash)\r\n");

  Start();
  const std::wstring backup = NewestRun() + L"C.NC";
  const std::wstring unknown = L": outcome unknown: Velbrook ended while Norvalt worked on it; its backup is ";
  const std::wstring question = AskUndo();
  EXPECT_TRUE(Has(question, L"Put back 2 files as they were")) << EncodeUtf8(question);
  EXPECT_TRUE(Has(question, AsShown(third + unknown + backup))) << EncodeUtf8(question);
  const std::wstring result = UndoResult();
  EXPECT_TRUE(Has(result, L"Put back 2 files.")) << EncodeUtf8(result);
  EXPECT_TRUE(Has(result, AsShown(third + unknown + backup))) << EncodeUtf8(result);
  EXPECT_EQ(FileText(L"A.NC"), kBracket);
  EXPECT_EQ(FileText(L"B.NC"), kBracket);
  EXPECT_EQ(FileText(L"C.NC"), "N1 (edited after the crash)\r\n");
}

TEST_F(SafetyNetTest, ALongUndoKeepsTheWindowAnsweringAndEscStopsItAfterAFile) {
  const std::string big = kBracket + "N20 (one of many)\r\n";
  for (int i = 0; i < 300; ++i) FFiles.Write(L"F" + std::to_wstring(1000 + i) + L".NC", big);
  Start();
  FDriver.Press(L"Select All");
  ASSERT_TRUE(WaitFor([&] { return FDriver.SelectedFiles().size() == 305u; }, kTimeoutMs));
  RunUntilSaved(305);
  ASSERT_TRUE(ReadFileBytes(FFiles.Path() + L"\\F1299.NC") != big);

  AskUndo();
  ASSERT_TRUE(WaitFor([&] { return FDriver.ProgressPosition() > 0; }, kTimeoutMs));
  DWORD_PTR answer = 0;
  const ULONGLONG before = GetTickCount64();
  EXPECT_NE(SendMessageTimeoutW(FDriver.MainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &answer), 0);
  EXPECT_LT(GetTickCount64() - before, 100u);
  FDriver.PressKey("Escape");
  const std::wstring stopped = UndoResult();
  ASSERT_TRUE(Has(stopped, L"left to put back")) << EncodeUtf8(stopped);

  AskUndo();
  const std::wstring rest = UndoResult();
  EXPECT_FALSE(Has(rest, L"changed since the run")) << EncodeUtf8(rest);
  EXPECT_EQ(ReadFileBytes(FFiles.Path() + L"\\F1000.NC"), big);
  EXPECT_EQ(ReadFileBytes(FFiles.Path() + L"\\F1299.NC"), big);
  EXPECT_EQ(FileText(L"A.NC"), kBracket);
}
