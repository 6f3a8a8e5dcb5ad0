#pragma once
// The end-to-end tests' fixture: the real program against the registered stand-in.
#include <gtest/gtest.h>

#include <windows.h>

#include "e2e_support.h"
#include "standin_trace.h"
#include "velbrook_driver.h"
#include "win_test_support.h"

namespace {

constexpr unsigned kTimeoutMs = 60000;
// The places of the program's own system menu entries, counted from the menu's end.
constexpr int kAboutEntry = 1, kContinueAfterErrorsEntry = 2, kTimeLimitEntry = 3, kUndoEntry = 5;

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
    // Each test starts with the settings' defaults and no runs to undo.
    DeleteFileW((ProgramFolder() + L"\\velbrook.ini").c_str());
    RemoveAllRuns();
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
    WriteStandInSettings("folder \"" + EncodeUtf8(FFiles.Path()) + "\\\"\r\ntrace \"" + EncodeUtf8(FTracePath) +
                         "\"\r\n" + extra);
  }
  std::wstring WriteScript(const std::string& extra) {
    FScriptDir.Write(L"tidy.nvs", kScript + extra);
    return FScriptDir.Path() + L"\\tidy.nvs";
  }
  std::string FileText(const wchar_t* name) { return ReadFileBytes(FFiles.Path() + L"\\" + name); }
  std::vector<std::wstring> Trace() { return ReadTrace(FTracePath); }
  // A path as the message dialog shows it: it lets paths wrap at their separators.
  static std::wstring AsShown(const std::wstring& path) {
    std::wstring shown;
    for (wchar_t c : path) shown += c == L'\\' ? std::wstring(L" \\") : std::wstring(1, c);
    return shown;
  }

  TTempFolder FFiles, FScriptDir;
  std::wstring FTracePath;
  TVelbrookDriver FDriver;
};

}  // namespace
