// A run as an impatient user meets it: real clicks and keys during the run, Stop, Close, a
// Norvalt that stops answering, the session ending, a second Velbrook.
#include <map>

#include "e2e_fixture.h"

namespace {

class RunControlTest : public EndToEndTest {
 protected:
  // Starts the program on the five files, all selected, with the script's directives.
  void StartWithAllSelected(const std::string& directives) {
    ASSERT_TRUE(FDriver.Start(VelbrookExe(), kTimeoutMs));
    FScript = WriteScript(directives);
    FDriver.SetScriptPath(FScript);
    FDriver.SelectFiles({0, 1, 2, 3, 4});
  }
  void StartRun() {
    FDriver.Press(L"Process");
    ASSERT_TRUE(WaitFor([&] { return CountCalls(Trace(), L"LoadScript") == 1; }, kTimeoutMs));
  }
  HWND ProcessButton() const { return FDriver.FindControl(L"Button", L"Stop"); }
  bool Shows(const std::wstring& part) const {
    for (const std::wstring& text : FDriver.Texts())
      if (text.find(part) != std::wstring::npos) return true;
    return false;
  }
  // Every file opened was saved, none twice, and the files never reached are as they were.
  void ExpectEachFileWholeOrUntouched() {
    std::map<std::wstring, int> opened, saved;
    for (const std::wstring& line : Trace()) {
      const std::size_t tab = line.find(L'\t');
      if (tab == std::wstring::npos) continue;
      if (line.compare(0, tab, L"OpenNcFile") == 0) ++opened[line.substr(tab + 1)];
      if (line.compare(0, tab, L"SaveNcFileAs") == 0) ++saved[line.substr(tab + 1)];
    }
    EXPECT_EQ(opened, saved);
    for (const auto& [path, count] : opened) EXPECT_EQ(count, 1) << EncodeUtf8(path);
    for (const wchar_t* name : {L"A.NC", L"B.NC", L"C.NC", L"D.NC", L"E.NC"})
      if (!opened.count(FFiles.Path() + L"\\" + name)) {
        EXPECT_EQ(FileText(name), kBracket) << EncodeUtf8(name);
      }
  }
  std::wstring FScript;
};

}  // namespace

TEST_F(RunControlTest, AClickOnProcessDuringARunStopsItAfterTheFileAndIsNeverReplayed) {
  StartWithAllSelected("delay OpenNcFile 150\r\n");
  StartRun();
  // The button reads Stop, and the controls that feed the run are locked.
  ASSERT_TRUE(ProcessButton());
  EXPECT_FALSE(IsWindowEnabled(FDriver.FindControl(L"Edit")));
  EXPECT_FALSE(IsWindowEnabled(FDriver.FindControl(L"Button", L"Select All")));
  EXPECT_EQ(ReadAccessible(ProcessButton()).Name, L"Stop");
  FDriver.ClickWithMouse(ProcessButton());

  const auto message = FDriver.WaitForDialog(kTimeoutMs);
  ASSERT_TRUE(message);
  const int treated = CountCalls(Trace(), L"SaveNcFileAs");
  EXPECT_LT(treated, 5);
  EXPECT_EQ(message->Texts,
            (std::vector<std::wstring>{L"Velbrook", L"Stopped after " + std::to_wstring(treated) + L" of 5 files."}));
  EXPECT_EQ(FDriver.ProgressPosition(), 0);
  FDriver.Answer(*message, L"OK");
  // Nothing the click did starts a second run later.
  Sleep(2000);
  EXPECT_EQ(CountCalls(Trace(), L"LoadScript"), 1);
  EXPECT_EQ(CountCalls(Trace(), L"SaveNcFileAs"), treated);
  ExpectEachFileWholeOrUntouched();
  EXPECT_TRUE(FDriver.FindControl(L"Button", L"Process"));
  EXPECT_TRUE(IsWindowEnabled(FDriver.FindControl(L"Edit")));
}

TEST_F(RunControlTest, AStopDuringALongCallIsTakenAtOnceAndTheRunEndsAfterThatFile) {
  StartWithAllSelected("delay OpenNcFile 10000 file B.NC\r\n");
  StartRun();
  ASSERT_TRUE(WaitFor([&] { return CountCalls(Trace(), L"OpenNcFile") == 2; }, kTimeoutMs));
  Sleep(2000);
  const ULONGLONG clicked = GetTickCount64();
  FDriver.ClickWithMouse(ProcessButton());
  EXPECT_TRUE(WaitFor([&] { return Shows(L"Stopping after the current file"); }, 1000));
  EXPECT_LT(GetTickCount64() - clicked, 2000u) << "the click waited for Norvalt";

  const auto message = FDriver.WaitForDialog(kTimeoutMs);
  ASSERT_TRUE(message);
  EXPECT_EQ(message->Texts.back(), L"Stopped after 2 of 5 files.");
  EXPECT_EQ(CountCalls(Trace(), L"OpenNcFile"), 2);
  ExpectEachFileWholeOrUntouched();
}

TEST_F(RunControlTest, CloseDuringARunAsksAndYesStopsAfterTheFileClosesAndRemembersTheScript) {
  const std::wstring settings = ProgramFolder() + L"\\velbrook.ini";
  DeleteFileW(settings.c_str());
  StartWithAllSelected("delay OpenNcFile 1500\r\n");
  StartRun();
  FDriver.ClickWithMouse(FDriver.FindControl(L"Button", L"Close"));
  auto question = FDriver.WaitForDialog(kTimeoutMs);
  ASSERT_TRUE(question);
  EXPECT_EQ(question->Texts,
            (std::vector<std::wstring>{L"Velbrook",
                                       L"A run is in progress. Stop it after the current file and close Velbrook?"}));
  EXPECT_EQ(question->Buttons, (std::vector<std::wstring>{L"Yes", L"No"}));
  FDriver.Answer(*question, L"Yes");
  ASSERT_TRUE(FDriver.WaitForExit(kTimeoutMs));
  ExpectEachFileWholeOrUntouched();
  EXPECT_LT(CountCalls(Trace(), L"SaveNcFileAs"), 5);
  EXPECT_EQ(ReadFileBytes(settings), "[Velbrook]\r\nScriptFile=" + EncodeUtf8(FScript) + "\r\n");
  DeleteFileW(settings.c_str());
}

TEST_F(RunControlTest, ANorvaltThatStopsAnsweringIsShownAndNeitherStopNorCloseWaitsForIt) {
  StartWithAllSelected("delay ScriptStep1 120000 file C.NC\r\ndelay ScriptStep1 120000 file E.NC\r\n");
  StartRun();
  ASSERT_TRUE(WaitFor([&] { return CountCalls(Trace(), L"ScriptStep1") == 3; }, kTimeoutMs));
  const ULONGLONG hung = GetTickCount64();
  ASSERT_TRUE(WaitFor([&] { return Shows(L"Waiting for Norvalt"); }, 35000));
  EXPECT_TRUE(Shows(L"Waiting for Norvalt: no answer for 3"));  // the seconds waited, 30 or more
  EXPECT_GE(GetTickCount64() - hung, 29000u);
  // The window still answers: Esc stops the run without waiting for the call.
  FDriver.PressKey("Escape");
  const auto message = FDriver.WaitForDialog(5000);
  ASSERT_TRUE(message);
  EXPECT_EQ(message->Texts.back(),
            L"Norvalt did not answer; the run was stopped at " + AsShown(FFiles.Path() + L"\\C.NC") + L".");
  FDriver.Answer(*message, L"OK");
  ASSERT_TRUE(WaitFor([&] { return FDriver.FindControl(L"Button", L"Process") != nullptr; }, 5000));

  // The user ends the hung Norvalt; the next run makes a new Norvalt object and goes on.
  EndStandInServers();
  FDriver.SelectFiles({3, 4});
  FDriver.Press(L"Process");
  ASSERT_TRUE(WaitFor([&] { return CountCalls(Trace(), L"ScriptStep1") == 5; }, kTimeoutMs));
  EXPECT_EQ(CountCalls(Trace(), L"SaveNcFileAs"), 3);  // A, B and now D
  // E hangs in the new server: given up as well, and Close does not wait for that call.
  ASSERT_TRUE(WaitFor([&] { return Shows(L"Waiting for Norvalt"); }, 35000));
  FDriver.PressKey("Escape");
  const auto second = FDriver.WaitForDialog(5000);
  ASSERT_TRUE(second);
  FDriver.Answer(*second, L"OK");
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(second->Window); }, 5000));
  PostMessageW(FDriver.MainWindow(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(FDriver.WaitForExit(5000));
  EXPECT_EQ(FileText(L"E.NC"), kBracket);
}

TEST_F(RunControlTest, TheSessionEndingDuringARunIsHeldUntilTheFileIsSaved) {
  StartWithAllSelected("delay OpenNcFile 400\r\n");
  StartRun();
  DWORD_PTR answer = TRUE;
  ASSERT_TRUE(
      SendMessageTimeoutW(FDriver.MainWindow(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_BLOCK, 5000, &answer));
  EXPECT_EQ(answer, static_cast<DWORD_PTR>(FALSE));
  // No box waits for a user who is logging off: the program ends by itself.
  ASSERT_TRUE(FDriver.WaitForExit(kTimeoutMs));
  EXPECT_LT(CountCalls(Trace(), L"SaveNcFileAs"), 5);
  ExpectEachFileWholeOrUntouched();
}

TEST_F(RunControlTest, OneVelbrookAndOneRunPerSession) {
  ASSERT_TRUE(FDriver.Start(VelbrookExe(), kTimeoutMs));
  TVelbrookDriver second;
  ASSERT_TRUE(second.Launch(VelbrookExe()));
  EXPECT_EQ(second.WaitForExit(kTimeoutMs), 0u);
  EXPECT_FALSE(FDriver.WaitForExit(0));

  // A run of another Velbrook (here: its lock, taken by this test) keeps Process from starting.
  const TKernelHandle otherRun(CreateMutexW(nullptr, FALSE, L"Local\\Velbrook.Run"));
  FDriver.SetScriptPath(WriteScript(""));
  FDriver.SelectFiles({0});
  FDriver.Press(L"Process");
  const auto message = FDriver.WaitForDialog(kTimeoutMs);
  ASSERT_TRUE(message);
  EXPECT_EQ(message->Texts, (std::vector<std::wstring>{L"Velbrook", L"Another Velbrook run is in progress."}));
  EXPECT_EQ(CountCalls(Trace(), L"LoadScript"), 0);
}
