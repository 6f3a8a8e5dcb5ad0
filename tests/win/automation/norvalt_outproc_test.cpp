// The binding against NorvaltStandIn.exe as a registered local server, as the program
// meets it: activation, a batch of calls across processes, failures, a crash, and a class
// that is not registered. Across processes Wine drops the server's error object, so only
// the status is certain here; descriptions are covered by the in-process tests.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "automation/norvalt_tlb.h"
#include "automation/ole_error.h"
#include "automation/ole_error_text.h"
#include "base/errors.h"
#include "base/win_handles.h"
#include "nc_test_files.h"

namespace {

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// The registered server's executable, as its LocalServer32 entry names it.
std::wstring RegisteredServer() {
  wchar_t key[128] = L"CLSID\\";
  ::StringFromGUID2(CLSID_CoNorvaltx, key + 6, 40);
  wcscat(key, L"\\LocalServer32");
  wchar_t value[MAX_PATH] = L"";
  LONG size = sizeof value;
  if (::RegQueryValueW(HKEY_CLASSES_ROOT, key, value, &size) != ERROR_SUCCESS) {
    size = sizeof value;
    wchar_t userKey[160] = L"Software\\Classes\\";
    wcscat(userKey, key);
    ::RegQueryValueW(HKEY_CURRENT_USER, userKey, value, &size);
  }
  std::wstring path(value);
  if (path.size() > 1 && path.front() == L'"') path = path.substr(1, path.find(L'"', 1) - 1);
  return path;
}

void RunServer(const std::wstring& exe, const wchar_t* option) {
  std::wstring commandLine = L"\"" + exe + L"\" " + option;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process))
      << "cannot start the stand-in";
  const TKernelHandle thread(process.hThread), server(process.hProcess);
  ::WaitForSingleObject(server.Get(), INFINITE);
  DWORD code = 1;
  ::GetExitCodeProcess(server.Get(), &code);
  EXPECT_EQ(code, 0u) << "the stand-in failed at " << Narrow(option);
}

// The link to a new stand-in object; a failure names the reason before it ends the test.
Microsoft::WRL::ComPtr<INorvaltx> Link() {
  try {
    return CoNorvaltx::Create();
  } catch (const Exception& error) {
    ADD_FAILURE() << "Create raised: " << Narrow(error.Message());
    throw;
  }
}

class NorvaltOutOfProcessTest : public testing::Test {
 protected:
  // Wine 8 never passes the final release on to the server, so it would outlive the test
  // and keep the test runner's output open; a crash directive ends it under every Wine.
  void TearDown() override {
    TNorvalt norvalt(Link());
    norvalt.LoadScript(FFiles.Write(L"end.nvs", "crash GetFolder\n"));
    EXPECT_THROW(norvalt.GetFolder(-2), EOleError);
  }

  TScratchFolder FFiles;
};

}  // namespace

TEST_F(NorvaltOutOfProcessTest, ABatchOfCallsEditsTheFiles) {
  TNorvalt norvalt(Link());
  const std::wstring trace = FFiles.Path(L"trace.txt");
  norvalt.LoadScript(FFiles.Write(L"batch.nvs", "trace \"" + Narrow(trace) +
                                                    "\"\r\n"
                                                    "step1 replace \"G0 \" \"G00 \"\r\n"
                                                    "step2 renumber 100 10\r\n"));
  for (const wchar_t* name : {L"1.nc", L"2.nc", L"3.nc"}) {
    const std::wstring path = FFiles.Write(name, "N1 G0 X1\r\nN2 G1 Y2\r\n");
    norvalt.OpenNcFile(path);
    norvalt.ScriptStep1();
    norvalt.ScriptStep2();
    norvalt.SaveNcFileAs(path);
  }
  for (const wchar_t* name : {L"1.nc", L"2.nc", L"3.nc"}) EXPECT_EQ(FFiles.Read(name), "N100 G00 X1\r\nN110 G1 Y2\r\n");
  // The trace begins with the script that named it.
  const std::string traced = FFiles.Read(L"trace.txt");
  EXPECT_EQ(std::count(traced.begin(), traced.end(), '\n'), 12) << traced;
}

TEST_F(NorvaltOutOfProcessTest, FailuresArriveWithTheirStatus) {
  TNorvalt norvalt(Link());
  norvalt.LoadScript(FFiles.Write(L"fail.nvs",
                                  "fail OpenNcFile file b.nc status 0x80070005 description \"Norvalt says no\"\n"
                                  "fail ScriptStep1 status 0xA0004004\n"));
  try {
    norvalt.OpenNcFile(FFiles.Write(L"b.nc", "N1\r\n"));
    FAIL() << "no error raised";
  } catch (const EOleError& error) {
    EXPECT_EQ(static_cast<unsigned long>(error.ErrorCode), 0x80070005ul);
    // Windows carries the description; Wine leaves the platform's text.
    const std::wstring platform = TrimMessageEnd(SystemStatusText(static_cast<HRESULT>(0x80070005)));
    EXPECT_TRUE(error.Message() == L"Norvalt says no" || error.Message() == platform) << Narrow(error.Message());
  }
  norvalt.OpenNcFile(FFiles.Write(L"a.nc", "N1\r\n"));
  EXPECT_THROW(norvalt.ScriptStep1(), EAbort);
}

TEST_F(NorvaltOutOfProcessTest, ACrashedServerRaisesAndLeavesTheFileWhole) {
  {
    TNorvalt norvalt(Link());
    norvalt.LoadScript(FFiles.Write(L"crash.nvs", "step1 uppercase\ncrash SaveNcFileAs file c.nc\n"));
    const std::wstring path = FFiles.Write(L"c.nc", "n1 g0\r\n");
    norvalt.OpenNcFile(path);
    norvalt.ScriptStep1();
    EXPECT_THROW(norvalt.SaveNcFileAs(path), EOleError);
    EXPECT_EQ(FFiles.Read(L"c.nc"), "n1 g0\r\n");
  }
  // A new link starts a new server.
  TNorvalt again(Link());
  EXPECT_EQ(again.LoadScript(FFiles.Write(L"empty.nvs", "")), 0);
}

TEST_F(NorvaltOutOfProcessTest, AnUnregisteredClassCannotBeCreated) {
  const std::wstring server = RegisteredServer();
  ASSERT_FALSE(server.empty()) << "the stand-in is not registered";
  RunServer(server, L"/UnregServer");
  try {
    CoNorvaltx::Create();
    ADD_FAILURE() << "Create succeeded without a registered class";
  } catch (const Exception& error) {
    EXPECT_FALSE(error.Message().empty());
  }
  RunServer(server, L"/RegServer");  // leave it registered for the tests that follow
  EXPECT_TRUE(Link());
}
