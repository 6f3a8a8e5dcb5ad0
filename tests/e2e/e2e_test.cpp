#include <gtest/gtest.h>

#include <windows.h>

#include "e2e_support.h"
#include "standin_trace.h"
#include "velbrook_driver.h"
#include "win_test_support.h"

namespace {

constexpr unsigned kTimeoutMs = 60000;

const std::string kBracket = "N5 G0 X0 (RAPID)\r\nN10 G1 X5\r\n";
const std::string kScript =
    "step1 strip-comments\r\n"
    "step1 replace \"G0 \" \"G00 \"\r\n"
    "step2 renumber 100 10\r\n";

// A folder of NC files that the stand-in names at start-up, a script, and a trace of
// every call the stand-in receives.
class EndToEnd : public testing::Test {
 protected:
  void SetUp() override {
    EndStandInServers();
    for (const char* name : {"A.NC", "B.NC", "C.NC", "D.NC", "E.NC"})
      Files.Write(std::wstring(name, name + 4), kBracket);
    TracePath = ScriptDir.Path() + L"\\trace.txt";
    UseSettings("");
  }
  void TearDown() override {
    Driver.Kill();
    EndStandInServers();
    RemoveStandInSettings();
  }

  // Start-up directives for the stand-in: it answers the NC folder and traces every call.
  void UseSettings(const std::string& extra) {
    WriteStandInSettings("folder \"" + ToUtf8(Files.Path()) + "\\\"\r\ntrace \"" + ToUtf8(TracePath) + "\"\r\n" + extra);
  }
  std::wstring WriteScript(const std::string& extra) {
    ScriptDir.Write(L"tidy.nvs", kScript + extra);
    return ScriptDir.Path() + L"\\tidy.nvs";
  }
  std::string FileText(const wchar_t* name) { return ReadFileBytes(Files.Path() + L"\\" + name); }
  std::vector<std::wstring> Trace() { return ReadTrace(TracePath); }

  TTempFolder Files, ScriptDir;
  std::wstring TracePath;
  TVelbrookDriver Driver;
};

}  // namespace

TEST_F(EndToEnd, SelectedFilesAreTreatedAndSavedInDisplayOrder) {
  ASSERT_TRUE(Driver.Start(VelbrookExe(), kTimeoutMs));
  // The lists open at Norvalt's folder.
  EXPECT_EQ(Driver.FileCount(), 5);
  const std::wstring script = WriteScript("");
  Driver.SetScriptPath(script);
  Driver.SelectFiles({4, 0, 2});
  Driver.Press(L"Process");
  ASSERT_TRUE(WaitFor([&] { return CountCalls(Trace(), L"SaveNcFileAs") == 3 && Driver.ProgressPosition() == 0; },
                      kTimeoutMs));

  const std::wstring folder = Files.Path() + L"\\";
  std::vector<std::wstring> expected{L"GetFolder\t-2", L"LoadScript\t" + script};
  for (const wchar_t* name : {L"A.NC", L"C.NC", L"E.NC"})
    for (const wchar_t* call : {L"OpenNcFile\t", L"ScriptStep1", L"ScriptStep2", L"SaveNcFileAs\t"})
      expected.push_back(std::wstring(call) + (call[wcslen(call) - 1] == L'\t' ? folder + name : L""));
  EXPECT_EQ(Trace(), expected);

  EXPECT_EQ(FileText(L"A.NC"), "N100 G00 X0\r\nN110 G1 X5\r\n");
  EXPECT_EQ(FileText(L"E.NC"), "N100 G00 X0\r\nN110 G1 X5\r\n");
  EXPECT_EQ(FileText(L"B.NC"), kBracket);  // not selected: untouched
  EXPECT_EQ(Driver.ProgressMax(), 3);
  EXPECT_EQ(Driver.SelectedFiles(), (std::vector<int>{0, 2, 4}));  // the selection stays

  // A second press treats the same files again, with the script handed over again.
  Driver.Press(L"Process");
  ASSERT_TRUE(WaitFor([&] { return CountCalls(Trace(), L"SaveNcFileAs") == 6; }, kTimeoutMs));
  EXPECT_EQ(CountCalls(Trace(), L"LoadScript"), 2);
}

TEST_F(EndToEnd, AFailingFileStopsTheRunInTheErrorBoxAndEarlierFilesStaySaved) {
  ASSERT_TRUE(Driver.Start(VelbrookExe(), kTimeoutMs));
  Driver.SetScriptPath(WriteScript("fail OpenNcFile file C.NC status 0x80070005\r\n"));
  Driver.SelectFiles({0, 2, 3});
  Driver.Press(L"Process");
  const auto box = Driver.WaitForDialog(kTimeoutMs);
  ASSERT_TRUE(box);
  EXPECT_TRUE(box->ErrorBox);
  EXPECT_EQ(box->Caption, L"Velbrook");
  ASSERT_FALSE(box->Texts.empty());
  // Out of process Wine carries no description, so the platform's text for the status shows.
  EXPECT_EQ(box->Texts.back(), L"Access denied.");
  EXPECT_EQ(Driver.ProgressPosition(), 2);  // the bar stays where the run stopped
  Driver.Answer(*box, L"OK");

  EXPECT_EQ(FileText(L"A.NC"), "N100 G00 X0\r\nN110 G1 X5\r\n");
  EXPECT_EQ(FileText(L"C.NC"), kBracket);
  EXPECT_EQ(FileText(L"D.NC"), kBracket);
  EXPECT_EQ(CountCalls(Trace(), L"OpenNcFile"), 2);
  EXPECT_EQ(CountCalls(Trace(), L"SaveNcFileAs"), 1);
  EXPECT_TRUE(WaitFor([&] { return !Driver.WaitForDialog(0); }, kTimeoutMs));  // the window goes on
}

TEST_F(EndToEnd, ASilentAbortEndsTheRunWithoutAnyMessage) {
  ASSERT_TRUE(Driver.Start(VelbrookExe(), kTimeoutMs));
  Driver.SetScriptPath(WriteScript("fail ScriptStep1 file B.NC status 0xA0004004\r\n"));
  Driver.SelectFiles({0, 1, 2});
  Driver.Press(L"Process");
  ASSERT_TRUE(WaitFor([&] { return CountCalls(Trace(), L"ScriptStep1") == 2; }, kTimeoutMs));
  // Give a box every chance to appear: none may.
  EXPECT_FALSE(Driver.WaitForDialog(3000));
  EXPECT_EQ(CountCalls(Trace(), L"OpenNcFile"), 2);
  EXPECT_EQ(FileText(L"B.NC"), kBracket);
}

TEST_F(EndToEnd, ChecksBeforeTheRunUseTheProgramsOwnMessages) {
  ASSERT_TRUE(Driver.Start(VelbrookExe(), kTimeoutMs));
  Driver.SetScriptPath(L"");
  Driver.Press(L"Process");
  auto message = Driver.WaitForDialog(kTimeoutMs);
  ASSERT_TRUE(message);
  EXPECT_FALSE(message->ErrorBox);
  EXPECT_EQ(message->Texts, (std::vector<std::wstring>{L"Error:", L"Enter Script File"}));
  EXPECT_EQ(message->Buttons, std::vector<std::wstring>{L"OK"});
  Driver.Answer(*message, L"OK");

  ASSERT_TRUE(WaitFor([&] { return !Driver.WaitForDialog(0); }, kTimeoutMs));
  Driver.SetScriptPath(ScriptDir.Path());  // a folder is no script file
  Driver.SelectFiles({1});
  Driver.Press(L"Process");
  message = Driver.WaitForDialog(kTimeoutMs);
  ASSERT_TRUE(message);
  ASSERT_EQ(message->Texts.size(), 2u);
  std::wstring spaced;  // the dialog lets paths wrap at their separators
  for (wchar_t c : ScriptDir.Path()) spaced += c == L'\\' ? std::wstring(L" \\") : std::wstring(1, c);
  EXPECT_EQ(message->Texts[1], L"Can't Find Script File\r\n" + spaced);
  EXPECT_EQ(CountCalls(Trace(), L"LoadScript"), 0);
}

TEST_F(EndToEnd, AFailingGetFolderIsReportedAndTheWindowStillOpens) {
  UseSettings("fail GetFolder status 0x80070005\r\n");
  ASSERT_TRUE(Driver.Launch(VelbrookExe()));
  const auto box = Driver.WaitForDialog(kTimeoutMs);
  ASSERT_TRUE(box);
  EXPECT_TRUE(box->ErrorBox);
  EXPECT_EQ(box->Texts.back(), L"Access denied.");
  Driver.Answer(*box, L"OK");
  EXPECT_TRUE(Driver.WaitForMainWindow(kTimeoutMs));
}

TEST_F(EndToEnd, CloseRemembersTheScriptAndTheTitleBarDoesNot) {
  const std::wstring settings = ProgramFolder() + L"\\velbrook.ini";
  DeleteFileW(settings.c_str());
  ASSERT_TRUE(Driver.Start(VelbrookExe(), kTimeoutMs));
  EXPECT_EQ(Driver.ScriptPath(), L"");
  Driver.SetScriptPath(L"C:\\Scripts\\tidy.nvs");
  Driver.Press(L"Close");
  ASSERT_TRUE(Driver.WaitForExit(kTimeoutMs));
  EXPECT_EQ(ReadFileBytes(settings), "[Velbrook]\r\nScriptFile=C:\\Scripts\\tidy.nvs\r\n");

  TVelbrookDriver second;
  ASSERT_TRUE(second.Start(VelbrookExe(), kTimeoutMs));
  EXPECT_EQ(second.ScriptPath(), L"C:\\Scripts\\tidy.nvs");
  second.SetScriptPath(L"C:\\Other.nvs");
  PostMessageW(second.MainWindow(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(second.WaitForExit(kTimeoutMs));
  EXPECT_EQ(ReadFileBytes(settings), "[Velbrook]\r\nScriptFile=C:\\Scripts\\tidy.nvs\r\n");
  DeleteFileW(settings.c_str());
}

TEST_F(EndToEnd, AboutIsTheLastSystemMenuEntryAndOpensTheAboutBox) {
  ASSERT_TRUE(Driver.Start(VelbrookExe(), kTimeoutMs));
  Driver.ChooseLastSystemMenuEntry();
  const auto box = Driver.WaitForDialog(kTimeoutMs);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->Caption, L"About");
  EXPECT_FALSE(IsWindowEnabled(Driver.MainWindow()));  // shown modally
  // The name block slides in, then the version block, with the version from the program file.
  std::vector<std::wstring> texts;
  WaitFor([&] { return (texts = Driver.WaitForDialog(0).value_or(TProgramDialog{}).Texts).size() == 2; }, kTimeoutMs);
  EXPECT_EQ(texts, (std::vector<std::wstring>{L"Velbrook\r\nBy Ombrel Software\r\n\u00a9 2026 Ombrel Software",
                                               L"Version 3.0.0.0\r\nwww.ombrel-software.com"}));
  Driver.Answer(*box, L"OK");
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(Driver.MainWindow()) != FALSE; }, kTimeoutMs));
  // The standard entries still work.
  Driver.SystemCommand(SC_MINIMIZE);
  EXPECT_TRUE(WaitFor([&] { return IsIconic(Driver.MainWindow()) != FALSE; }, kTimeoutMs));
  Driver.SystemCommand(SC_CLOSE);
  EXPECT_TRUE(Driver.WaitForExit(kTimeoutMs));
}

TEST_F(EndToEnd, WithoutNorvaltTheProgramSaysSoAndEnds) {
  const std::wstring standIn = L"\"" + ProgramFolder() + L"\\NorvaltStandIn.exe\"";
  auto run = [](const std::wstring& commandLine) {
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    std::wstring line = commandLine;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) return;
    TKernelHandle process(info.hProcess), thread(info.hThread);
    WaitForSingleObject(process.Get(), kTimeoutMs);
  };
  run(standIn + L" /UnregServer");
  ASSERT_TRUE(Driver.Launch(VelbrookExe()));
  const auto message = Driver.WaitForDialog(kTimeoutMs);
  run(standIn + L" /RegServer");
  ASSERT_TRUE(message);
  EXPECT_FALSE(message->ErrorBox);
  EXPECT_EQ(message->Texts,
            (std::vector<std::wstring>{L"Error:", L"Can't Link to Norvalt\r\nNorvalt Needs to be Installed"}));
  Driver.Answer(*message, L"OK");
  EXPECT_TRUE(Driver.WaitForExit(kTimeoutMs));
  EXPECT_TRUE(Driver.MainWindow() == nullptr);
}
