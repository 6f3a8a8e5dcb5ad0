// Norvalt's process as Velbrook sees it, with the stand-in as a registered local server: the
// registered image, whether Velbrook's request started the server, the box the server shows
// read while its call waits, and only a process that Velbrook started ended.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "automation/norvalt_tlb.h"
#include "base/errors.h"
#include "nc_test_files.h"
#include "platform/dialog_boxes.h"
#include "platform/server_process.h"

namespace {

std::wstring ClassIdText() {
  wchar_t text[40];
  ::StringFromGUID2(CLSID_CoNorvaltx, text, 40);
  return text;
}

// The boxes of process, once one shows (up to 10 s).
std::vector<TDialogBox> BoxesShownBy(TProcessId process) {
  for (int i = 0; i < 100; ++i) {
    std::vector<TDialogBox> boxes = DialogBoxesOf(process);
    if (!boxes.empty()) return boxes;
    ::Sleep(100);
  }
  return {};
}

// Starts program (a full path) and returns at once; the test ends what it started.
void Start(const std::wstring& program) {
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
}

}  // namespace

TEST(NorvaltProcess, TheServerOurRequestStartedIsOursAndItsBoxIsRead) {
  TScratchFolder files;
  const std::wstring image = LocalServerImage(ClassIdText());
  ASSERT_GE(image.size(), 18u);
  EXPECT_EQ(::CompareStringOrdinal(image.substr(image.size() - 18).c_str(), -1, L"NorvaltStandIn.exe", -1, TRUE),
            CSTR_EQUAL);
  EXPECT_EQ(LocalServerImage(L"{00000000-0000-0000-0000-000000000000}"), L"");
  const std::vector<TProcessId> before = ProcessesOfImage(image);
  ASSERT_TRUE(before.empty()) << "a stand-in server is running already";

  // The first object starts the server: ours.
  TNorvalt first(CoNorvaltx::Create());
  const std::vector<TProcessId> started = ProcessesOfImage(image);
  TServerProcess server = TServerProcess::Identify(image, before, started);
  ASSERT_TRUE(server.Known());
  EXPECT_TRUE(server.Ours());
  EXPECT_TRUE(server.Alive());
  EXPECT_EQ(started, std::vector<TProcessId>{server.Id()});

  // A second object is served by the same process, which was running before: not ours, and
  // never ended. Several new processes are nobody's.
  TNorvalt second(CoNorvaltx::Create());
  TServerProcess running = TServerProcess::Identify(image, started, ProcessesOfImage(image));
  ASSERT_TRUE(running.Known());
  EXPECT_EQ(running.Id(), server.Id());
  EXPECT_FALSE(running.Ours());
  EXPECT_FALSE(running.End(100));
  EXPECT_FALSE(TServerProcess::Identify(image, {}, {server.Id(), ::GetCurrentProcessId()}).Known());

  // A call held by a box, made from a thread of its own: the box is read while the call
  // waits, its icon left out; the call goes on once the box is closed.
  const std::wstring script = files.Write(L"box.nvs", "box ScriptStep1 \"Norvalt\" \"Tool table T12 missing\"\n");
  const std::wstring file = files.Write(L"f2.nc", "N1 G0\r\n");
  std::thread caller([&] {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    try {
      TNorvalt norvalt(CoNorvaltx::Create());
      norvalt.LoadScript(script);
      norvalt.OpenNcFile(file);
      norvalt.ScriptStep1();
    } catch (const Exception&) {
      ADD_FAILURE() << "the call held by the box failed";
    }
    ::CoUninitialize();
  });
  const std::vector<TDialogBox> boxes = BoxesShownBy(server.Id());
  EXPECT_EQ(boxes.size(), 1u);
  if (!boxes.empty()) {
    EXPECT_EQ(boxes[0].Caption, L"Norvalt");
    EXPECT_EQ(boxes[0].Text, L"Tool table T12 missing");
  }
  EXPECT_TRUE(DialogBoxesOf(::GetCurrentProcessId()).empty());
  // The test, unlike Velbrook, may answer the box.
  for (HWND box = ::FindWindowW(L"#32770", L"Norvalt"); box; box = ::FindWindowW(L"#32770", L"Norvalt")) {
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    ::Sleep(100);
  }
  caller.join();
  EXPECT_TRUE(server.Alive());
  // Under Wine 8 a local server ended from outside keeps its class registered, and no later
  // activation succeeds; a crash directive withdraws the class before the process ends.
  first.LoadScript(files.Write(L"end.nvs", "crash GetFolder\n"));
  EXPECT_THROW(first.GetFolder(-2), EOleError);
}

TEST(NorvaltProcess, OnlyAProcessThatWasNotRunningBeforeCanBeEnded) {
  wchar_t system[MAX_PATH];
  const std::wstring image = std::wstring(system, ::GetSystemDirectoryW(system, MAX_PATH)) + L"\\notepad.exe";
  const std::vector<TProcessId> before = ProcessesOfImage(image);
  Start(image);
  TServerProcess started = TServerProcess::Identify(image, before, ProcessesOfImage(image));
  ASSERT_TRUE(started.Known());
  EXPECT_TRUE(started.Ours());
  TServerProcess running = TServerProcess::Identify(image, ProcessesOfImage(image), ProcessesOfImage(image));
  ASSERT_TRUE(running.Known());
  EXPECT_FALSE(running.Ours());
  EXPECT_FALSE(running.End(100));
  EXPECT_TRUE(running.Alive());
  EXPECT_TRUE(started.End());
  EXPECT_FALSE(started.Alive());
  EXPECT_FALSE(running.Alive());
  EXPECT_EQ(ProcessesOfImage(image), before);
}
