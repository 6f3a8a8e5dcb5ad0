#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

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
class EndToEndTest : public testing::Test {
 protected:
  void SetUp() override {
    EndStandInServers();
    for (const char* name : {"A.NC", "B.NC", "C.NC", "D.NC", "E.NC"})
      FFiles.Write(std::wstring(name, name + 4), kBracket);
    FTracePath = FScriptDir.Path() + L"\\trace.txt";
    UseSettings("");
  }
  void TearDown() override {
    FDriver.Kill();
    EndStandInServers();
    RemoveStandInSettings();
  }

  // Start-up directives for the stand-in: it answers the NC folder and traces every call.
  void UseSettings(const std::string& extra) {
    WriteStandInSettings("folder \"" + ToUtf8(FFiles.Path()) + "\\\"\r\ntrace \"" + ToUtf8(FTracePath) + "\"\r\n" +
                         extra);
  }
  std::wstring WriteScript(const std::string& extra) {
    FScriptDir.Write(L"tidy.nvs", kScript + extra);
    return FScriptDir.Path() + L"\\tidy.nvs";
  }
  std::string FileText(const wchar_t* name) { return ReadFileBytes(FFiles.Path() + L"\\" + name); }
  std::vector<std::wstring> Trace() { return ReadTrace(FTracePath); }

  TTempFolder FFiles, FScriptDir;
  std::wstring FTracePath;
  TVelbrookDriver FDriver;
};

}  // namespace

TEST_F(EndToEndTest, SelectedFilesAreTreatedAndSavedInDisplayOrder) {
  ASSERT_TRUE(FDriver.Start(VelbrookExe(), kTimeoutMs));
  // The lists open at Norvalt's folder.
  EXPECT_EQ(FDriver.FileCount(), 5);
  const std::wstring script = WriteScript("");
  FDriver.SetScriptPath(script);
  FDriver.SelectFiles({4, 0, 2});
  FDriver.Press(L"Process");
  ASSERT_TRUE(WaitFor([&] { return CountCalls(Trace(), L"SaveNcFileAs") == 3 && FDriver.ProgressPosition() == 0; },
                      kTimeoutMs));

  const std::wstring folder = FFiles.Path() + L"\\";
  std::vector<std::wstring> expected{L"GetFolder\t-2", L"LoadScript\t" + script};
  for (const wchar_t* name : {L"A.NC", L"C.NC", L"E.NC"})
    for (const wchar_t* call : {L"OpenNcFile\t", L"ScriptStep1", L"ScriptStep2", L"SaveNcFileAs\t"})
      expected.push_back(std::wstring(call) + (call[wcslen(call) - 1] == L'\t' ? folder + name : L""));
  EXPECT_EQ(Trace(), expected);

  EXPECT_EQ(FileText(L"A.NC"), "N100 G00 X0\r\nN110 G1 X5\r\n");
  EXPECT_EQ(FileText(L"E.NC"), "N100 G00 X0\r\nN110 G1 X5\r\n");
  EXPECT_EQ(FileText(L"B.NC"), kBracket);  // not selected: untouched
  EXPECT_EQ(FDriver.ProgressMax(), 3);
  EXPECT_EQ(FDriver.SelectedFiles(), (std::vector<int>{0, 2, 4}));  // the selection stays

  // A second press treats the same files again, with the script handed over again.
  FDriver.Press(L"Process");
  ASSERT_TRUE(WaitFor([&] { return CountCalls(Trace(), L"SaveNcFileAs") == 6; }, kTimeoutMs));
  EXPECT_EQ(CountCalls(Trace(), L"LoadScript"), 2);
}

TEST_F(EndToEndTest, AFailingFileStopsTheRunInTheErrorBoxAndEarlierFilesStaySaved) {
  ASSERT_TRUE(FDriver.Start(VelbrookExe(), kTimeoutMs));
  FDriver.SetScriptPath(WriteScript("fail OpenNcFile file C.NC status 0x80070005\r\n"));
  FDriver.SelectFiles({0, 2, 3});
  FDriver.Press(L"Process");
  const auto box = FDriver.WaitForDialog(kTimeoutMs);
  ASSERT_TRUE(box);
  EXPECT_TRUE(box->ErrorBox);
  EXPECT_EQ(box->Caption, L"Velbrook");
  ASSERT_FALSE(box->Texts.empty());
  // Out of process Wine carries no description, so the platform's text for the status shows.
  EXPECT_EQ(box->Texts.back(), L"Access denied.");
  EXPECT_EQ(FDriver.ProgressPosition(), 2);  // the bar stays where the run stopped
  FDriver.Answer(*box, L"OK");

  EXPECT_EQ(FileText(L"A.NC"), "N100 G00 X0\r\nN110 G1 X5\r\n");
  EXPECT_EQ(FileText(L"C.NC"), kBracket);
  EXPECT_EQ(FileText(L"D.NC"), kBracket);
  EXPECT_EQ(CountCalls(Trace(), L"OpenNcFile"), 2);
  EXPECT_EQ(CountCalls(Trace(), L"SaveNcFileAs"), 1);
  EXPECT_TRUE(WaitFor([&] { return !FDriver.WaitForDialog(0); }, kTimeoutMs));  // the window goes on
}

TEST_F(EndToEndTest, ASilentAbortEndsTheRunWithoutAnyMessage) {
  ASSERT_TRUE(FDriver.Start(VelbrookExe(), kTimeoutMs));
  FDriver.SetScriptPath(WriteScript("fail ScriptStep1 file B.NC status 0xA0004004\r\n"));
  FDriver.SelectFiles({0, 1, 2});
  FDriver.Press(L"Process");
  ASSERT_TRUE(WaitFor([&] { return CountCalls(Trace(), L"ScriptStep1") == 2; }, kTimeoutMs));
  // Give a box every chance to appear: none may.
  EXPECT_FALSE(FDriver.WaitForDialog(3000));
  EXPECT_EQ(CountCalls(Trace(), L"OpenNcFile"), 2);
  EXPECT_EQ(FileText(L"B.NC"), kBracket);
}

TEST_F(EndToEndTest, ChecksBeforeTheRunUseTheProgramsOwnMessages) {
  ASSERT_TRUE(FDriver.Start(VelbrookExe(), kTimeoutMs));
  FDriver.SetScriptPath(L"");
  FDriver.Press(L"Process");
  auto message = FDriver.WaitForDialog(kTimeoutMs);
  ASSERT_TRUE(message);
  EXPECT_FALSE(message->ErrorBox);
  EXPECT_EQ(message->Texts, (std::vector<std::wstring>{L"Error:", L"Enter Script File"}));
  EXPECT_EQ(message->Buttons, std::vector<std::wstring>{L"OK"});
  FDriver.Answer(*message, L"OK");

  ASSERT_TRUE(WaitFor([&] { return !FDriver.WaitForDialog(0); }, kTimeoutMs));
  FDriver.SetScriptPath(FScriptDir.Path());  // a folder is no script file
  FDriver.SelectFiles({1});
  FDriver.Press(L"Process");
  message = FDriver.WaitForDialog(kTimeoutMs);
  ASSERT_TRUE(message);
  ASSERT_EQ(message->Texts.size(), 2u);
  std::wstring spaced;  // the dialog lets paths wrap at their separators
  for (wchar_t c : FScriptDir.Path()) spaced += c == L'\\' ? std::wstring(L" \\") : std::wstring(1, c);
  EXPECT_EQ(message->Texts[1], L"Can't Find Script File\r\n" + spaced);
  EXPECT_EQ(CountCalls(Trace(), L"LoadScript"), 0);
}

TEST_F(EndToEndTest, AFailingGetFolderIsReportedAndTheWindowStillOpens) {
  UseSettings("fail GetFolder status 0x80070005\r\n");
  ASSERT_TRUE(FDriver.Launch(VelbrookExe()));
  const auto box = FDriver.WaitForDialog(kTimeoutMs);
  ASSERT_TRUE(box);
  EXPECT_TRUE(box->ErrorBox);
  EXPECT_EQ(box->Texts.back(), L"Access denied.");
  FDriver.Answer(*box, L"OK");
  EXPECT_TRUE(FDriver.WaitForMainWindow(kTimeoutMs));
}

TEST_F(EndToEndTest, CloseRemembersTheScriptAndTheTitleBarDoesNot) {
  const std::wstring settings = ProgramFolder() + L"\\velbrook.ini";
  DeleteFileW(settings.c_str());
  ASSERT_TRUE(FDriver.Start(VelbrookExe(), kTimeoutMs));
  EXPECT_EQ(FDriver.ScriptPath(), L"");
  FDriver.SetScriptPath(L"C:\\Scripts\\tidy.nvs");
  FDriver.Press(L"Close");
  ASSERT_TRUE(FDriver.WaitForExit(kTimeoutMs));
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

TEST_F(EndToEndTest, TheFilterBoxNarrowsTheListEachFileOnceAndIsRememberedForTheNextStart) {
  const std::wstring settings = ProgramFolder() + L"\\velbrook.ini";
  DeleteFileW(settings.c_str());
  for (const wchar_t* name : {L"tool.tap", L"Spare.TAP", L"readme.txt"}) FFiles.Write(name, kBracket);
  ASSERT_TRUE(FDriver.Start(VelbrookExe(), kTimeoutMs));
  const std::wstring script = WriteScript("");
  FDriver.SetScriptPath(script);
  EXPECT_EQ(FDriver.FileCount(), 8);
  const auto listsSoon = [&](int count) { return WaitFor([&] { return FDriver.FileCount() == count; }, kTimeoutMs); };
  // The names of the files a run over the whole list opens.
  const auto treatedByARunOverAll = [&] {
    const int before = CountCalls(Trace(), L"SaveNcFileAs");
    const int count = FDriver.FileCount();
    FDriver.Press(L"Select All");
    FDriver.Press(L"Process");
    WaitFor([&] { return CountCalls(Trace(), L"SaveNcFileAs") == before + count; }, kTimeoutMs);
    std::vector<std::wstring> opened;
    for (const std::wstring& line : Trace())
      if (line.rfind(L"OpenNcFile\t", 0) == 0) opened.push_back(line.substr(line.rfind(L'\\') + 1));
    return std::vector<std::wstring>(opened.end() - std::min<std::ptrdiff_t>(count, std::ssize(opened)), opened.end());
  };

  FDriver.TypeFilter(L"*.tap");
  ASSERT_TRUE(listsSoon(2));
  EXPECT_EQ(treatedByARunOverAll(), (std::vector<std::wstring>{L"Spare.TAP", L"tool.tap"}));

  FDriver.TypeFilter(L"a|b");
  const auto message = FDriver.WaitForDialog(kTimeoutMs);
  ASSERT_TRUE(message);
  EXPECT_EQ(message->Texts, (std::vector<std::wstring>{L"Invalid filter", L"a|b"}));
  FDriver.Answer(*message, L"OK");
  ASSERT_TRUE(WaitFor([&] { return !FDriver.WaitForDialog(0); }, kTimeoutMs));
  EXPECT_EQ(FDriver.FileCount(), 2) << "the list stays as it was";

  FDriver.TypeFilter(L"*.nc;*.NC");
  EXPECT_TRUE(listsSoon(5));
  FDriver.TypeFilter(L"");
  EXPECT_TRUE(listsSoon(8));
  FDriver.TypeFilter(L"*.nc ");
  EXPECT_TRUE(listsSoon(5));
  FDriver.TypeFilter(L" *.nc ; *.tap", VK_TAB);  // leaving the box applies it too
  ASSERT_TRUE(listsSoon(7));
  EXPECT_EQ(FDriver.FilterText(), L"*.nc;*.tap");
  EXPECT_EQ(treatedByARunOverAll(),
            (std::vector<std::wstring>{L"A.NC", L"B.NC", L"C.NC", L"D.NC", L"E.NC", L"Spare.TAP", L"tool.tap"}));
  const std::vector<std::wstring> used{L"*.nc;*.tap", L"*.nc", L"*.nc;*.NC", L"*.tap"};
  EXPECT_EQ(FDriver.FilterChoices(), used);
  FDriver.ChooseFilter(3);
  EXPECT_TRUE(listsSoon(2));
  EXPECT_EQ(FDriver.FilterText(), L"*.tap");

  FDriver.Press(L"Close");
  ASSERT_TRUE(FDriver.WaitForExit(kTimeoutMs));
  EXPECT_EQ(ReadFileBytes(settings), "[Velbrook]\r\nScriptFile=" + ToUtf8(script) +
                                         "\r\nFilter=*.tap\r\nRecentFilters=*.tap|*.nc;*.tap|*.nc|*.nc;*.NC\r\n");
  TVelbrookDriver second;
  ASSERT_TRUE(second.Start(VelbrookExe(), kTimeoutMs));
  EXPECT_EQ(second.FileCount(), 2);
  EXPECT_EQ(second.FilterText(), L"*.tap");
  EXPECT_EQ(second.FilterChoices(), (std::vector<std::wstring>{L"*.tap", L"*.nc;*.tap", L"*.nc", L"*.nc;*.NC"}));
  second.Kill();
  DeleteFileW(settings.c_str());
}

TEST_F(EndToEndTest, AboutIsTheLastSystemMenuEntryAndOpensTheAboutBox) {
  ASSERT_TRUE(FDriver.Start(VelbrookExe(), kTimeoutMs));
  FDriver.ChooseLastSystemMenuEntry();
  const auto box = FDriver.WaitForDialog(kTimeoutMs);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->Caption, L"About");
  EXPECT_FALSE(IsWindowEnabled(FDriver.MainWindow()));  // shown modally
  // The name block slides in, then the version block, with the version from the program file.
  std::vector<std::wstring> texts;
  WaitFor([&] { return (texts = FDriver.WaitForDialog(0).value_or(TProgramDialog{}).Texts).size() == 2; }, kTimeoutMs);
  EXPECT_EQ(texts, (std::vector<std::wstring>{L"Velbrook\r\nBy Ombrel Software\r\n\u00a9 2026 Ombrel Software",
                                              L"Version 3.0.0.0\r\nwww.ombrel-software.com"}));
  FDriver.Answer(*box, L"OK");
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(FDriver.MainWindow()) != FALSE; }, kTimeoutMs));
  // The standard entries still work.
  FDriver.SystemCommand(SC_MINIMIZE);
  EXPECT_TRUE(WaitFor([&] { return IsIconic(FDriver.MainWindow()) != FALSE; }, kTimeoutMs));
  FDriver.SystemCommand(SC_CLOSE);
  EXPECT_TRUE(FDriver.WaitForExit(kTimeoutMs));
}

TEST_F(EndToEndTest, WithoutNorvaltTheProgramSaysSoAndEnds) {
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
  ASSERT_TRUE(FDriver.Launch(VelbrookExe()));
  const auto message = FDriver.WaitForDialog(kTimeoutMs);
  run(standIn + L" /RegServer");
  ASSERT_TRUE(message);
  EXPECT_FALSE(message->ErrorBox);
  EXPECT_EQ(message->Texts,
            (std::vector<std::wstring>{L"Error:", L"Can't Link to Norvalt\r\nNorvalt Needs to be Installed"}));
  FDriver.Answer(*message, L"OK");
  EXPECT_TRUE(FDriver.WaitForExit(kTimeoutMs));
  EXPECT_TRUE(FDriver.MainWindow() == nullptr);
}
