// The binding against the stand-in Norvalt in this process: real NC edits end to end, and
// every way a failure can be worded.
#include <gtest/gtest.h>

#include "automation/norvalt_tlb.h"
#include "automation/ole_error.h"
#include "automation/ole_error_text.h"
#include "automation/ole_owned.h"
#include "base/errors.h"
#include "base/win_handles.h"
#include "nc_test_files.h"
#include "standin_server_win.h"

namespace {

class NorvaltInProcessTest : public testing::Test {
 protected:
  // A binding to a fresh stand-in whose settings file holds `settings`.
  TNorvalt Norvalt(std::string_view settings = "") {
    return TNorvalt(CreateStandInNorvalt(FFiles.Write(L"NorvaltStandIn.ini", settings)));
  }

  // The error a call raises, or an empty message with code 0 if it raises none.
  template <typename Call>
  EOleError OleErrorOf(Call call) {
    try {
      call();
    } catch (const EOleError& error) {
      return error;
    }
    ADD_FAILURE() << "the call did not raise EOleError";
    return EOleError(L"", 0);
  }

  TScratchFolder FFiles;
};

// Test paths are plain ASCII.
std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

constexpr const char* Script =
    "# tidy the program, then number its blocks\r\n"
    "step1 strip-comments\r\n"
    "step1 replace \"G0 \" \"G00 \"\r\n"
    "step2 renumber 10 10\r\n";

}  // namespace

TEST_F(NorvaltInProcessTest, ProcessesFilesInPlaceKeepingTheirLineEndings) {
  const std::string trace = Narrow(FFiles.Path(L"trace.txt"));
  TNorvalt norvalt = Norvalt("trace \"" + trace + "\"\n");
  const std::wstring crlf = FFiles.Write(L"a.nc", "%\r\nN1 G0 X1 (rapid)\r\n(comment only)\r\nN2 G1 Y2\r\n%\r\n");
  const std::wstring lf = FFiles.Write(L"b.nc", "N7 G0 Z5\nG1 X1\nN8 M30 ; end\n");
  const std::wstring script = FFiles.Write(L"tidy.nvs", Script);

  EXPECT_EQ(norvalt.LoadScript(script), 3);
  std::string expectedTrace = "LoadScript\t" + Narrow(script) + "\r\n";
  for (const std::wstring& path : {crlf, lf}) {
    norvalt.OpenNcFile(path);
    norvalt.ScriptStep1();
    norvalt.ScriptStep2();
    norvalt.SaveNcFileAs(path);
    expectedTrace +=
        "OpenNcFile\t" + Narrow(path) + "\r\nScriptStep1\r\nScriptStep2\r\nSaveNcFileAs\t" + Narrow(path) + "\r\n";
  }

  EXPECT_EQ(FFiles.Read(L"a.nc"), "%\r\nN10 G00 X1\r\nN20 G1 Y2\r\n%\r\n");
  EXPECT_EQ(FFiles.Read(L"b.nc"), "N10 G00 Z5\nG1 X1\nN20 M30\n");
  EXPECT_EQ(FFiles.Read(L"trace.txt"), expectedTrace);
}

TEST_F(NorvaltInProcessTest, SavingUnderAnotherNameLeavesTheOriginalAndNoTemporaryFile) {
  TNorvalt norvalt = Norvalt();
  norvalt.LoadScript(FFiles.Write(L"up.nvs", "step2 uppercase\n"));
  norvalt.OpenNcFile(FFiles.Write(L"in.nc", "g0 x1\r\n"));
  norvalt.ScriptStep2();
  norvalt.SaveNcFileAs(FFiles.Path(L"out.nc"));
  EXPECT_EQ(FFiles.Read(L"in.nc"), "g0 x1\r\n");
  EXPECT_EQ(FFiles.Read(L"out.nc"), "G0 X1\r\n");
  WIN32_FIND_DATAW entry;
  const TFindHandle find(::FindFirstFileW(FFiles.Path(L"*.tmp").c_str(), &entry));
  EXPECT_EQ(find.Get(), INVALID_HANDLE_VALUE) << "a temporary file was left behind";
}

TEST_F(NorvaltInProcessTest, WaitsAndBoxesComeWhereTheirDirectivesPutThem) {
  // What the host was asked to do, with the file's content at that moment.
  std::vector<std::string> seen;
  const std::wstring path = FFiles.Write(L"p.nc", "g0\r\n");
  TStandInHost host;
  host.Delay = [&](unsigned milliseconds) {
    seen.push_back("wait " + std::to_string(milliseconds) + ": " + FFiles.Read(L"p.nc"));
  };
  host.Box = [&](const std::wstring& caption, const std::wstring& text) {
    seen.push_back("box " + Narrow(caption) + ": " + Narrow(text));
  };
  TNorvalt norvalt(CreateStandInNorvalt(FFiles.Path(L"none.ini"), host));
  norvalt.LoadScript(FFiles.Write(L"staged.nvs",
                                  "step1 uppercase\n"
                                  "box ScriptStep1 \"Norvalt\" \"Tool table T12 missing\" file p.nc\n"
                                  "delay SaveNcFileAs 70 file p.nc\n"
                                  "delay SaveNcFileAs 90 after file p.nc\n"
                                  "fail ScriptStep2\n"
                                  "box ScriptStep2 \"Norvalt\" \"Before the failure\"\n"));
  norvalt.OpenNcFile(path);
  norvalt.ScriptStep1();
  EXPECT_THROW(norvalt.ScriptStep2(), EOleError);
  norvalt.SaveNcFileAs(path);
  EXPECT_EQ(seen, (std::vector<std::string>{"box Norvalt: Tool table T12 missing", "box Norvalt: Before the failure",
                                            "wait 70: g0\r\n", "wait 90: G0\r\n"}));
}

TEST_F(NorvaltInProcessTest, AChosenFailureCarriesTheServersDescriptionForThatFileOnly) {
  TNorvalt norvalt = Norvalt();
  norvalt.LoadScript(FFiles.Write(
      L"fail.nvs", "fail OpenNcFile file bad.nc description \"Norvalt can't read bad.nc\" status 0x80070005\n"));
  norvalt.OpenNcFile(FFiles.Write(L"good.nc", "N1\r\n"));
  const EOleError error = OleErrorOf([&] { norvalt.OpenNcFile(FFiles.Write(L"bad.nc", "N1\r\n")); });
  EXPECT_EQ(error.Message(), L"Norvalt can't read bad.nc");
  EXPECT_EQ(static_cast<unsigned long>(error.ErrorCode), 0x80070005ul);
}

TEST_F(NorvaltInProcessTest, AFailureWithoutDescriptionUsesThePlatformTextOrTheStatus) {
  TNorvalt norvalt = Norvalt();
  norvalt.LoadScript(FFiles.Write(L"fail.nvs",
                                  "fail ScriptStep1 description \"first\"\n"
                                  "fail ScriptStep2 status 0x80070005\n"
                                  "fail SaveNcFileAs status 0x8badf00d\n"));
  norvalt.OpenNcFile(FFiles.Write(L"a.nc", "N1\r\n"));
  EXPECT_EQ(OleErrorOf([&] { norvalt.ScriptStep1(); }).Message(), L"first");

  // The description of the earlier failure must not explain this one.
  const std::wstring platform = TrimMessageEnd(SystemStatusText(static_cast<HRESULT>(0x80070005)));
  ASSERT_FALSE(platform.empty());
  EXPECT_EQ(OleErrorOf([&] { norvalt.ScriptStep2(); }).Message(), platform);

  EXPECT_EQ(OleErrorOf([&] { norvalt.SaveNcFileAs(FFiles.Path(L"a.nc")); }).Message(), L"OLE error 8badf00d");
}

TEST_F(NorvaltInProcessTest, TheCancelStatusAbortsSilently) {
  TNorvalt norvalt = Norvalt();
  norvalt.LoadScript(FFiles.Write(L"cancel.nvs", "fail ScriptStep2 status 0xA0004004 description \"cancelled\"\n"));
  norvalt.OpenNcFile(FFiles.Write(L"a.nc", "N1\r\n"));
  EXPECT_THROW(norvalt.ScriptStep2(), EAbort);
}

TEST_F(NorvaltInProcessTest, BadScriptsAndMissingFilesAreReportedByTheServer) {
  TNorvalt norvalt = Norvalt();
  const std::wstring script = FFiles.Write(L"bad.nvs", "step1 uppercase\nstep1 frobnicate\n");
  EXPECT_EQ(OleErrorOf([&] { norvalt.LoadScript(script); }).Message(),
            L"Script \"" + script + L"\", line 2: unknown rule \"frobnicate\"");
  const std::wstring missing = FFiles.Path(L"missing.nc");
  EXPECT_EQ(
      OleErrorOf([&] { norvalt.OpenNcFile(missing); }).Message().rfind(L"Can't open NC file \"" + missing + L"\"", 0),
      0u);
  EXPECT_EQ(OleErrorOf([&] { norvalt.ScriptStep1(); }).Message(), L"No NC file is open");
}

TEST_F(NorvaltInProcessTest, GetFolderAnswersBecomeTextByTheVariantRules) {
  EXPECT_EQ(Norvalt("folder \"D:\\JOBS\\\"\n").GetFolder(-2), L"D:\\JOBS\\");
  EXPECT_EQ(Norvalt("folder \"\"\n").GetFolder(-2), L"");
  EXPECT_EQ(Norvalt("folder empty\n").GetFolder(-2), L"");
  EXPECT_EQ(Norvalt("folder 42\n").GetFolder(-2), L"42");
  EXPECT_EQ(Norvalt("folder -7\n").GetFolder(-2), L"-7");
  const std::string longText = "C:\\" + std::string(5000, 'x');
  EXPECT_EQ(Norvalt("folder \"" + longText + "\"\n").GetFolder(-2), std::wstring(longText.begin(), longText.end()));

  wchar_t current[MAX_PATH];
  const DWORD length = ::GetCurrentDirectoryW(MAX_PATH, current);
  EXPECT_EQ(Norvalt().GetFolder(-2), std::wstring(current, length));
}

TEST_F(NorvaltInProcessTest, GetFolderFailuresAreRaised) {
  EXPECT_EQ(OleErrorOf([&] { Norvalt("fail GetFolder description \"No folder today\"\n").GetFolder(-2); }).Message(),
            L"No folder today");
  EXPECT_EQ(OleErrorOf([&] { Norvalt().GetFolder(3); }).Message(), L"Unknown folder selector 3");
}

TEST_F(NorvaltInProcessTest, ABrokenSettingsFileFailsEveryCall) {
  TNorvalt norvalt = Norvalt("folder\n");
  const std::wstring expected = L"Settings \"" + FFiles.Path(L"NorvaltStandIn.ini") +
                                L"\", line 1: expected: folder \"text\" | folder <number> | folder empty";
  EXPECT_EQ(OleErrorOf([&] { norvalt.GetFolder(-2); }).Message(), expected);
  EXPECT_EQ(OleErrorOf([&] { norvalt.LoadScript(FFiles.Write(L"ok.nvs", "")); }).Message(), expected);
}

TEST_F(NorvaltInProcessTest, LateBoundCallsReachTheSameOperations) {
  Microsoft::WRL::ComPtr<INorvaltx> server = CreateStandInNorvalt(FFiles.Path(L"none.ini"));
  const std::wstring path = FFiles.Write(L"a.nc", "N1 G0\r\n");
  wchar_t name[] = L"OpenNcFile";
  LPOLESTR names[] = {name};
  DISPID id = 0;
  ASSERT_EQ(server->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
  EXPECT_EQ(id, 136);
  TBstr argument = MakeBstr(path);
  VARIANT arguments[1];
  arguments[0].vt = VT_BSTR;
  arguments[0].bstrVal = argument.Get();
  DISPPARAMS params{arguments, nullptr, 1, 0};
  TVariant result;
  ASSERT_EQ(server->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result.Put(), nullptr, nullptr),
            S_OK);
  EXPECT_EQ(result.Get().vt, VT_I4);
  EXPECT_EQ(result.Get().lVal, 7);  // the bytes read
  EXPECT_EQ(server->Reserved001(), E_NOTIMPL);
}
