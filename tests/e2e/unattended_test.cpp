// A run that needs nobody: a time limit per file that ends a hung Norvalt Velbrook started,
// a box Norvalt shows, a call given up for good, a Norvalt that ended while Velbrook sat idle,
// and command-line runs that tell the truth.
#include "e2e_fixture.h"

#include <windows.h>

#include <wrl/client.h>

#include <algorithm>

#include "app/command_runs.h"
#include "app/run_names.h"
#include "app/run_record_format.h"
#include "base/text.h"
#include "norvalt_h.h"
#include "platform/run_files.h"
#include "platform/server_process.h"

namespace {

const std::string kTreated = "N100 G00 X0\r\nN110 G1 X5\r\n";
// The process ids of running stand-in servers.
std::vector<TProcessId> StandInProcesses() { return ProcessesOfImage(ProgramFolder() + L"\\NorvaltStandIn.exe"); }

class UnattendedTest : public EndToEndTest {
 protected:
  void SetUp() override {
    EndToEndTest::SetUp();
    DeleteFileW(CommandRunsPath().c_str());
  }
  static std::wstring CommandRunsPath() { return LocalDataFolder() + kCommandRunsFileName; }
  // Runs Velbrook with the arguments to its end, in folder if given; its exit code, or
  // nothing when it does not end in time.
  std::optional<DWORD> RunVelbrook(const std::wstring& arguments, unsigned timeoutMs = kTimeoutMs,
                                   const std::wstring& folder = L"") {
    if (!FDriver.Launch(VelbrookExe(), arguments, folder)) return std::nullopt;
    return FDriver.WaitForExit(timeoutMs);
  }
  std::wstring Arguments(const std::wstring& script, const std::wstring& more) {
    return L"/Process \"" + FFiles.Path() + L"\" /Script \"" + script + L"\"" + more;
  }
  // The newest run's record line of the file, as written.
  std::string RecordLineOf(const std::wstring& name) {
    const std::vector<TRunOnDisk> runs = RunsNewestFirst(ListRuns(RunsFolder()));
    if (runs.empty()) return {};
    const std::string record = ReadFileBytes(RunsFolder() + runs.front().Name + L"\\" + kRecordFileName);
    const std::string path = "\t" + EncodeUtf8(FFiles.Path() + L"\\" + name) + "\r\n";
    std::size_t end = record.find(path);
    // The file's last line: its outcome, after any line that said it was handed over.
    for (std::size_t at = end; at != std::string::npos; at = record.find(path, at + 1)) end = at;
    if (end == std::string::npos) return {};
    const std::size_t start = record.rfind("\r\n", end);
    return record.substr(start == std::string::npos ? 0 : start + 2, end - start);
  }
  bool Shows(const std::wstring& part) const {
    for (const std::wstring& text : FDriver.Texts())
      if (text.find(part) != std::wstring::npos) return true;
    return false;
  }
};

}  // namespace

TEST_F(UnattendedTest, ATimeLimitEndsAHungNorvaltPutsItsFileBackAndTheRunGoesOnWithANewOne) {
  const std::wstring script = WriteScript(
      "delay OpenNcFile 600000 file B.NC\r\n"
      "delay SaveNcFileAs 600000 after file D.NC\r\n");
  const ULONGLONG started = GetTickCount64();
  EXPECT_EQ(RunVelbrook(Arguments(script, L" /TimeLimit 10s /Continue"), 90000), 1u);
  EXPECT_LT(GetTickCount64() - started, 60000u);
  for (const wchar_t* name : {L"A.NC", L"C.NC", L"E.NC"}) EXPECT_EQ(FileText(name), kTreated) << EncodeUtf8(name);
  // B hung before Norvalt touched it, D after Norvalt had written it: both are as before.
  for (const wchar_t* name : {L"B.NC", L"D.NC"}) {
    EXPECT_EQ(FileText(name), kBracket) << EncodeUtf8(name);
    EXPECT_NE(RecordLineOf(name).find("failed: Norvalt did not answer in 10s; Velbrook ended it"), std::string::npos)
        << RecordLineOf(name);
  }
  // The hung servers are gone; only the last one may still run (Wine 8 keeps a server
  // running after its last client has gone).
  EXPECT_LE(StandInProcesses().size(), 1u);

  // Without /Continue the run ends at the file that hung; the rest are not reached. A server
  // left from the run before would not be Velbrook's own this time.
  EndStandInServers();
  FFiles.Write(L"A.NC", kBracket);
  EXPECT_EQ(RunVelbrook(Arguments(WriteScript("delay OpenNcFile 600000 file B.NC\r\n"), L" /TimeLimit 10s"), 90000),
            1u);
  EXPECT_EQ(FileText(L"A.NC"), kTreated);
  for (const wchar_t* name : {L"B.NC", L"C.NC"}) EXPECT_EQ(FileText(name), name[0] == L'B' ? kBracket : kTreated);
  EXPECT_EQ(RecordLineOf(L"C.NC").rfind("File\tnot reached\t", 0), 0u) << RecordLineOf(L"C.NC");
  EXPECT_EQ(RecordLineOf(L"E.NC").rfind("File\tnot reached\t", 0), 0u) << RecordLineOf(L"E.NC");
  EXPECT_LE(StandInProcesses().size(), 1u);
}

TEST_F(UnattendedTest, AMixedNightTreatsEveryFileItCanAndLeavesTheOthersAsTheyWere) {
  std::string directives;
  std::vector<std::wstring> troubled;
  const auto trouble = [&](int number, const std::string& directive) {
    const std::string name = "F" + std::to_string(number) + ".NC";
    directives += directive + " file " + name + "\r\n";
    troubled.push_back(std::wstring(name.begin(), name.end()));
  };
  for (int number = 10; number < 70; ++number) FFiles.Write(L"F" + std::to_wstring(number) + L".NC", kBracket);
  trouble(12, "fail OpenNcFile");
  trouble(18, "fail ScriptStep2 status 0x80070005");
  trouble(23, "fail SaveNcFileAs");
  trouble(27, "crash ScriptStep1");
  trouble(33, "crash SaveNcFileAs");
  trouble(38, "delay ScriptStep1 600000");
  trouble(44, "delay OpenNcFile 600000");
  trouble(49, "delay SaveNcFileAs 600000 after");
  trouble(55, "delay SaveNcFileAs 600000 after");
  trouble(61, "box ScriptStep2 \"Norvalt\" \"Tool table T12 missing\"");
  trouble(66, "box OpenNcFile \"Norvalt\" \"Licence expired\"");
  const std::wstring script = WriteScript(directives);
  EXPECT_EQ(RunVelbrook(Arguments(script, L" /Mask F*.NC /TimeLimit 8s /Continue"), 300000), 1u);
  int treated = 0;
  for (int number = 10; number < 70; ++number) {
    const std::wstring name = L"F" + std::to_wstring(number) + L".NC";
    const bool isTroubled = std::find(troubled.begin(), troubled.end(), name) != troubled.end();
    EXPECT_EQ(FileText(name.c_str()), isTroubled ? kBracket : kTreated) << EncodeUtf8(name);
    EXPECT_EQ(RecordLineOf(name).rfind(isTroubled ? "File\tfailed: " : "File\ttreated\t", 0), 0u) << RecordLineOf(name);
    treated += isTroubled ? 0 : 1;
  }
  EXPECT_EQ(treated, 49);
  EXPECT_NE(RecordLineOf(L"F61.NC").find("Norvalt: Tool table T12 missing"), std::string::npos);
  // The night's line says how it went.
  const std::string runs = ReadFileBytes(CommandRunsPath());
  EXPECT_NE(runs.find("\t1\t49\t11\t" + EncodeUtf8(RunsFolder())), std::string::npos) << runs;
  EXPECT_LE(StandInProcesses().size(), 1u);
}

TEST_F(UnattendedTest, ANorvaltVelbrookDidNotStartIsNeverEnded) {
  // Norvalt is already running, serving another client, when Velbrook asks for its object.
  Microsoft::WRL::ComPtr<IUnknown> otherClient;
  ASSERT_HRESULT_SUCCEEDED(
      CoCreateInstance(CLSID_CoNorvaltx, nullptr, CLSCTX_LOCAL_SERVER, IID_PPV_ARGS(&otherClient)));
  const std::vector<TProcessId> running = StandInProcesses();
  ASSERT_EQ(running.size(), 1u);
  const std::wstring script = WriteScript("delay ScriptStep1 25000 file B.NC\r\n");
  EXPECT_EQ(RunVelbrook(Arguments(script, L" /TimeLimit 5s"), 90000), 1u);
  EXPECT_EQ(StandInProcesses(), running);
  const std::string runs = ReadFileBytes(CommandRunsPath());
  EXPECT_NE(runs.find("left running"), std::string::npos) << runs;
  EXPECT_EQ(FileText(L"A.NC"), kTreated);
  // The given-up call comes back after a while; nothing more is asked of Norvalt, and the
  // file is as before.
  Sleep(25000);
  EXPECT_EQ(CountCalls(Trace(), L"ScriptStep2"), 1);
  EXPECT_EQ(FileText(L"B.NC"), kBracket);
  otherClient.Reset();
}

TEST_F(UnattendedTest, ACallGivenUpIsFinalAndItsRunKeepsTheLockUntilItReturns) {
  ASSERT_TRUE(FDriver.Start(VelbrookExe(), kTimeoutMs));
  FDriver.SetScriptPath(WriteScript("delay ScriptStep1 45000 file C.NC\r\n"));
  FDriver.SelectFiles({0, 1, 2, 3, 4});
  FDriver.Press(L"Process");
  ASSERT_TRUE(WaitFor([&] { return Shows(L"Waiting for Norvalt"); }, 40000));
  FDriver.PressKey("Escape");
  auto message = FDriver.WaitForDialog(5000);
  ASSERT_TRUE(message);
  FDriver.Answer(*message, L"OK");
  ASSERT_TRUE(WaitFor([&] { return !FDriver.WaitForDialog(0); }, 5000));
  // The given-up run still holds the lock: a Process now starts nothing.
  FDriver.SelectFiles({3});
  FDriver.Press(L"Process");
  message = FDriver.WaitForDialog(5000);
  ASSERT_TRUE(message);
  EXPECT_EQ(message->Texts.back(), L"The last run is still waiting for Norvalt.");
  FDriver.Answer(*message, L"OK");
  // The call returns: no further call for that run, and C is as it was.
  ASSERT_TRUE(WaitFor([&] { return RecordLineOf(L"C.NC").rfind("File\tfailed: ", 0) == 0; }, 30000));
  EXPECT_EQ(CountCalls(Trace(), L"ScriptStep2"), 2);
  EXPECT_EQ(CountCalls(Trace(), L"OpenNcFile"), 3);
  EXPECT_EQ(FileText(L"C.NC"), kBracket);
  EXPECT_EQ(FileText(L"D.NC"), kBracket);
}

TEST_F(UnattendedTest, ABoxNorvaltShowsIsNamedAndTheTimeLimitEndsIt) {
  ASSERT_TRUE(FDriver.Start(VelbrookExe(), kTimeoutMs));
  // The limit is set in its box from the system menu, typed as the command line takes it.
  FDriver.ChooseSystemMenuEntryFromEnd(kTimeLimitEntry);
  const auto limitBox = FDriver.WaitForDialog(kTimeoutMs);
  ASSERT_TRUE(limitBox);
  FDriver.PressKey("ctrl+a 2 0 s Return");
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(limitBox->Window); }, kTimeoutMs));
  EXPECT_NE(ReadFileBytes(ProgramFolder() + L"\\velbrook.ini").find("FileTimeLimit=20s"), std::string::npos);
  FDriver.SetScriptPath(WriteScript("box ScriptStep1 \"Norvalt\" \"Tool table T12 missing\" file B.NC\r\n"));
  FDriver.SelectFiles({0, 1, 2});
  FDriver.Press(L"Process");
  ASSERT_TRUE(WaitFor([&] { return CountCalls(Trace(), L"ScriptStep1") == 2; }, kTimeoutMs));
  const ULONGLONG boxed = GetTickCount64();
  EXPECT_TRUE(WaitFor([&] { return Shows(L"Norvalt shows a box: \"Norvalt: Tool table T12 missing\""); }, 10000));
  EXPECT_LT(GetTickCount64() - boxed, 10000u);
  const auto message = FDriver.WaitForDialog(kTimeoutMs);
  ASSERT_TRUE(message);
  EXPECT_NE(message->Texts.back().find(L"Tool table T12 missing"), std::wstring::npos);
  FDriver.Answer(*message, L"OK");
  EXPECT_NE(RecordLineOf(L"B.NC").find("Norvalt did not answer in 20s; Velbrook ended it"), std::string::npos);
  EXPECT_NE(RecordLineOf(L"B.NC").find("Norvalt: Tool table T12 missing"), std::string::npos);
  EXPECT_EQ(FileText(L"B.NC"), kBracket);
  EXPECT_EQ(FileText(L"C.NC"), kBracket);

  // Norvalt is gone now, as if it had ended while Velbrook sat idle: the next Process makes a
  // new one without a word.
  FDriver.SelectFiles({2});
  FDriver.Press(L"Process");
  ASSERT_TRUE(WaitFor([&] { return FileText(L"C.NC") == kTreated; }, kTimeoutMs));
  EXPECT_FALSE(FDriver.WaitForDialog(2000));
}

TEST_F(UnattendedTest, ANorvaltEndedWhileIdleIsReplacedWithoutAWord) {
  ASSERT_TRUE(FDriver.Start(VelbrookExe(), kTimeoutMs));
  FDriver.SetScriptPath(WriteScript(""));
  EndStandInServers();
  FDriver.SelectFiles({0, 1});
  FDriver.Press(L"Process");
  ASSERT_TRUE(WaitFor([&] { return FileText(L"B.NC") == kTreated; }, kTimeoutMs));
  EXPECT_EQ(FileText(L"A.NC"), kTreated);
  EXPECT_FALSE(FDriver.WaitForDialog(2000));
}

TEST_F(UnattendedTest, ACommandLineRunTakesRelativePathsAndLeavesALineForEveryRun) {
  WriteScript("");
  const auto parentOf = [](const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); };
  ASSERT_EQ(parentOf(FFiles.Path()), parentOf(FScriptDir.Path()));
  // Started in the script's folder, as a scheduled task is with "Start in".
  const std::wstring folder = L"..\\" + FFiles.Path().substr(parentOf(FFiles.Path()).size() + 1);
  EXPECT_EQ(RunVelbrook(L"/Process \"" + folder + L"\" /Script tidy.nvs", kTimeoutMs, FScriptDir.Path()), 0u);
  for (const wchar_t* name : {L"A.NC", L"E.NC"}) EXPECT_EQ(FileText(name), kTreated);

  EXPECT_EQ(RunVelbrook(L"/Process /Bogus"), 2u);
  EXPECT_EQ(RunVelbrook(L"/Process \\\\server\\share\\NC /Script \"" + FScriptDir.Path() + L"\\tidy.nvs\""), 2u);
  const std::string runs = ReadFileBytes(CommandRunsPath());
  EXPECT_NE(runs.find("\t0\t5\t0\t"), std::string::npos) << runs;
  EXPECT_NE(runs.find("/Bogus\t2\t"), std::string::npos) << runs;
  EXPECT_EQ(runs.find("Exit codes"), std::string::npos) << "the usage belongs on the console only";
  EXPECT_NE(runs.find("drive letter"), std::string::npos) << runs;
}
