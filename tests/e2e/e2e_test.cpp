#include <gtest/gtest.h>

#include <windows.h>

#include "e2e_fixture.h"

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
  EXPECT_EQ(message->Texts[1], L"Can't Find Script File\r\n" + AsShown(FScriptDir.Path()));
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

TEST_F(EndToEndTest, AboutIsTheLastSystemMenuEntryAndOpensTheAboutBox) {
  ASSERT_TRUE(FDriver.Start(VelbrookExe(), kTimeoutMs));
  FDriver.ChooseSystemMenuEntryFromEnd(kAboutEntry);
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
  RunStandIn(L"/UnregServer");
  ASSERT_TRUE(FDriver.Launch(VelbrookExe()));
  const auto message = FDriver.WaitForDialog(kTimeoutMs);
  RunStandIn(L"/RegServer");
  ASSERT_TRUE(message);
  EXPECT_FALSE(message->ErrorBox);
  EXPECT_EQ(message->Texts,
            (std::vector<std::wstring>{L"Error:", L"Can't Link to Norvalt\r\nNorvalt Needs to be Installed"}));
  FDriver.Answer(*message, L"OK");
  EXPECT_TRUE(FDriver.WaitForExit(kTimeoutMs));
  EXPECT_TRUE(FDriver.MainWindow() == nullptr);
}
