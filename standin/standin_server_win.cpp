#include "standin_server_win.h"

#include <oleauto.h>

#include <atomic>
#include <new>
#include <optional>

#include "automation/ole_owned.h"
#include "nc_rules.h"
#include "nc_script.h"
#include "standin_files_win.h"

using Microsoft::WRL::ComPtr;

namespace {

// A call that must answer with a failure status, and the description to leave, if any.
struct TCallFailure {
  HRESULT Status;
  std::wstring Description;
};

std::wstring SystemText(DWORD code) {
  wchar_t buffer[512];
  const DWORD length = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                        buffer, sizeof buffer / sizeof buffer[0], nullptr);
  std::wstring text(buffer, length);
  text.erase(text.find_last_not_of(L"\r\n .") + 1);
  return text;
}

[[noreturn]] void FailOnFile(const TFileError& error, const wchar_t* what, const std::wstring& path) {
  throw TCallFailure{HRESULT_FROM_WIN32(error.Code),
                     std::wstring(what) + L" \"" + path + L"\": " + SystemText(error.Code)};
}

// Leaves (or clears) the error object that describes the failure to the caller.
void SetErrorDescription(const std::wstring& description) {
  ComPtr<ICreateErrorInfo> create;
  ComPtr<IErrorInfo> info;
  if (description.empty() || FAILED(::CreateErrorInfo(&create)) || FAILED(create.As(&info))) {
    ::SetErrorInfo(0, nullptr);
    return;
  }
  create->SetGUID(__uuidof(INorvaltx));
  create->SetSource(const_cast<wchar_t*>(L"NorvaltStandIn"));
  create->SetDescription(const_cast<wchar_t*>(description.c_str()));
  ::SetErrorInfo(0, info.Get());
}

#define NORVALT_RESERVED(n) \
  HRESULT STDMETHODCALLTYPE Reserved##n() override { return E_NOTIMPL; }

class TStandInNorvalt final : public INorvaltx, public ISupportErrorInfo {
 public:
  TStandInNorvalt(const std::wstring& settingsPath, TStandInHost host) : FHost(std::move(host)) {
    LoadSettings(settingsPath);
  }
  TStandInNorvalt(const TStandInNorvalt&) = delete;
  TStandInNorvalt& operator=(const TStandInNorvalt&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(INorvaltx))
      *object = static_cast<INorvaltx*>(this);
    else if (iid == IID_ISupportErrorInfo)
      *object = static_cast<ISupportErrorInfo*>(this);
    else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++FReferences; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --FReferences;
    if (left == 0) {
      const std::function<void()> onFinalRelease = std::move(FHost.OnFinalRelease);
      delete this;
      if (onFinalRelease) onFinalRelease();
    }
    return left;
  }

  // ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
    return iid == __uuidof(INorvaltx) ? S_OK : S_FALSE;
  }

  // IDispatch, described by the type library this module carries.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    const HRESULT status = TypeInfo();
    if (FAILED(status)) return status;
    return FTypeInfo.CopyTo(info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    const HRESULT status = TypeInfo();
    return FAILED(status) ? status : ::DispGetIDsOfNames(FTypeInfo.Get(), names, count, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* argumentError) override {
    const HRESULT status = TypeInfo();
    return FAILED(status) ? status
                          : ::DispInvoke(static_cast<INorvaltx*>(this), FTypeInfo.Get(), id, flags, params, result,
                                         exception, argumentError);
  }

  // The operations Velbrook uses.
  HRESULT STDMETHODCALLTYPE OpenNcFile(BSTR path, LONG* result) override {
    const std::wstring file = BstrText(path);
    return Serve(TCall::OpenNcFile, file, file, [&] {
      try {
        FText = ReadWholeFile(file);
      } catch (const TFileError& error) {
        FailOnFile(error, L"Can't open NC file", file);
      }
      FOpenFile = file;
      if (result) *result = static_cast<LONG>(FText.size());
    });
  }
  HRESULT STDMETHODCALLTYPE ScriptStep1() override {
    return Serve(TCall::ScriptStep1, L"", FOpenFile, [&] { RunStep(FSettings.Step1, FScript.Step1); });
  }
  HRESULT STDMETHODCALLTYPE ScriptStep2() override {
    return Serve(TCall::ScriptStep2, L"", FOpenFile, [&] { RunStep(FSettings.Step2, FScript.Step2); });
  }
  HRESULT STDMETHODCALLTYPE SaveNcFileAs(BSTR path, LONG* result) override {
    const std::wstring file = BstrText(path);
    return Serve(TCall::SaveNcFileAs, file, file, [&] {
      RequireOpenFile();
      try {
        WriteFileAtomically(file, FText);
      } catch (const TFileError& error) {
        FailOnFile(error, L"Can't save NC file", file);
      }
      if (result) *result = static_cast<LONG>(FText.size());
    });
  }
  HRESULT STDMETHODCALLTYPE GetFolder(LONG selector, VARIANT* result) override {
    return Serve(TCall::GetFolder, std::to_wstring(selector), L"", [&] {
      if (!result) throw TCallFailure{E_POINTER, L""};
      if (selector != -2) throw TCallFailure{E_INVALIDARG, L"Unknown folder selector " + std::to_wstring(selector)};
      AnswerFolder(*result);
    });
  }
  HRESULT STDMETHODCALLTYPE LoadScript(BSTR path, LONG* result) override {
    const std::wstring file = BstrText(path);
    return Serve(TCall::LoadScript, file, file, [&] {
      std::string text;
      try {
        text = ReadWholeFile(file);
      } catch (const TFileError& error) {
        FailOnFile(error, L"Can't open script", file);
      }
      try {
        FScript = ParseScript(text);
      } catch (const TScriptError& error) {
        throw TCallFailure{E_INVALIDARG, L"Script \"" + file + L"\", " + FromUtf8(error.what())};
      }
      if (result) *result = static_cast<LONG>(FScript.Step1.size() + FScript.Step2.size());
    });
  }

  // Operations Velbrook does not use keep their places and answer E_NOTIMPL. Their macro
  // calls end in no semicolon, so the unformatted part runs to the first declaration that does:
  // clang-format would otherwise take what follows them for one statement.
  // clang-format off
  NORVALT_RESERVED(001) NORVALT_RESERVED(002) NORVALT_RESERVED(003) NORVALT_RESERVED(004) NORVALT_RESERVED(005)
  NORVALT_RESERVED(006) NORVALT_RESERVED(007) NORVALT_RESERVED(008) NORVALT_RESERVED(009) NORVALT_RESERVED(010)
  NORVALT_RESERVED(011) NORVALT_RESERVED(012) NORVALT_RESERVED(013) NORVALT_RESERVED(014) NORVALT_RESERVED(015)
  NORVALT_RESERVED(016) NORVALT_RESERVED(017) NORVALT_RESERVED(018) NORVALT_RESERVED(019) NORVALT_RESERVED(020)
  NORVALT_RESERVED(021) NORVALT_RESERVED(022) NORVALT_RESERVED(023) NORVALT_RESERVED(024) NORVALT_RESERVED(025)
  NORVALT_RESERVED(026) NORVALT_RESERVED(027) NORVALT_RESERVED(028) NORVALT_RESERVED(029) NORVALT_RESERVED(030)
  NORVALT_RESERVED(031) NORVALT_RESERVED(032) NORVALT_RESERVED(033) NORVALT_RESERVED(034) NORVALT_RESERVED(035)
  NORVALT_RESERVED(036) NORVALT_RESERVED(037) NORVALT_RESERVED(038) NORVALT_RESERVED(039) NORVALT_RESERVED(040)
  NORVALT_RESERVED(041) NORVALT_RESERVED(042) NORVALT_RESERVED(043) NORVALT_RESERVED(044) NORVALT_RESERVED(045)
  NORVALT_RESERVED(046) NORVALT_RESERVED(047) NORVALT_RESERVED(048) NORVALT_RESERVED(049) NORVALT_RESERVED(050)
  NORVALT_RESERVED(051) NORVALT_RESERVED(052) NORVALT_RESERVED(053) NORVALT_RESERVED(054) NORVALT_RESERVED(055)
  NORVALT_RESERVED(056) NORVALT_RESERVED(057) NORVALT_RESERVED(058) NORVALT_RESERVED(059) NORVALT_RESERVED(060)
  NORVALT_RESERVED(061) NORVALT_RESERVED(062) NORVALT_RESERVED(063) NORVALT_RESERVED(064) NORVALT_RESERVED(065)
  NORVALT_RESERVED(066) NORVALT_RESERVED(067) NORVALT_RESERVED(068) NORVALT_RESERVED(069) NORVALT_RESERVED(070)
  NORVALT_RESERVED(071) NORVALT_RESERVED(072) NORVALT_RESERVED(073) NORVALT_RESERVED(074) NORVALT_RESERVED(075)
  NORVALT_RESERVED(076) NORVALT_RESERVED(077) NORVALT_RESERVED(078) NORVALT_RESERVED(079) NORVALT_RESERVED(080)
  NORVALT_RESERVED(081) NORVALT_RESERVED(082) NORVALT_RESERVED(083) NORVALT_RESERVED(084) NORVALT_RESERVED(085)
  NORVALT_RESERVED(086) NORVALT_RESERVED(087) NORVALT_RESERVED(088) NORVALT_RESERVED(089) NORVALT_RESERVED(090)
  NORVALT_RESERVED(091) NORVALT_RESERVED(092) NORVALT_RESERVED(093) NORVALT_RESERVED(094) NORVALT_RESERVED(095)
  NORVALT_RESERVED(096) NORVALT_RESERVED(097) NORVALT_RESERVED(098) NORVALT_RESERVED(099) NORVALT_RESERVED(100)
  NORVALT_RESERVED(101) NORVALT_RESERVED(102) NORVALT_RESERVED(103) NORVALT_RESERVED(104) NORVALT_RESERVED(105)
  NORVALT_RESERVED(106) NORVALT_RESERVED(107) NORVALT_RESERVED(108) NORVALT_RESERVED(109) NORVALT_RESERVED(110)
  NORVALT_RESERVED(111) NORVALT_RESERVED(112) NORVALT_RESERVED(113) NORVALT_RESERVED(114) NORVALT_RESERVED(115)
  NORVALT_RESERVED(116) NORVALT_RESERVED(117) NORVALT_RESERVED(118) NORVALT_RESERVED(119) NORVALT_RESERVED(120)
  NORVALT_RESERVED(121) NORVALT_RESERVED(122) NORVALT_RESERVED(123) NORVALT_RESERVED(124) NORVALT_RESERVED(125)
  NORVALT_RESERVED(126) NORVALT_RESERVED(127) NORVALT_RESERVED(128) NORVALT_RESERVED(129) NORVALT_RESERVED(130)
  NORVALT_RESERVED(131) NORVALT_RESERVED(132) NORVALT_RESERVED(133) NORVALT_RESERVED(134) NORVALT_RESERVED(135)
  NORVALT_RESERVED(137) NORVALT_RESERVED(138) NORVALT_RESERVED(139) NORVALT_RESERVED(140)
  NORVALT_RESERVED(141) NORVALT_RESERVED(142) NORVALT_RESERVED(143) NORVALT_RESERVED(144) NORVALT_RESERVED(145)
  NORVALT_RESERVED(146) NORVALT_RESERVED(147) NORVALT_RESERVED(148) NORVALT_RESERVED(149)
  NORVALT_RESERVED(153) NORVALT_RESERVED(154) NORVALT_RESERVED(155)
  NORVALT_RESERVED(156) NORVALT_RESERVED(157) NORVALT_RESERVED(158) NORVALT_RESERVED(159) NORVALT_RESERVED(160)
  NORVALT_RESERVED(161) NORVALT_RESERVED(162) NORVALT_RESERVED(163) NORVALT_RESERVED(164) NORVALT_RESERVED(165)
  NORVALT_RESERVED(166) NORVALT_RESERVED(167) NORVALT_RESERVED(168) NORVALT_RESERVED(169)
  NORVALT_RESERVED(172) NORVALT_RESERVED(173) NORVALT_RESERVED(174) NORVALT_RESERVED(175)
  NORVALT_RESERVED(176) NORVALT_RESERVED(177) NORVALT_RESERVED(178) NORVALT_RESERVED(179)

 private:
  ~TStandInNorvalt() = default;
  // clang-format on

  void LoadSettings(const std::wstring& path) {
    std::string text;
    try {
      text = ReadWholeFile(path);
    } catch (const TFileError&) {
      return;  // no settings file: defaults throughout
    }
    try {
      FSettings = ParseScript(text);
    } catch (const TScriptError& error) {
      // Every call reports the broken settings file, so the fault cannot go unnoticed.
      FSettingsError = L"Settings \"" + path + L"\", " + FromUtf8(error.what());
    }
  }

  HRESULT TypeInfo() {
    if (FTypeInfo) return S_OK;
    wchar_t module[MAX_PATH];
    if (!::GetModuleFileNameW(nullptr, module, MAX_PATH)) return HRESULT_FROM_WIN32(::GetLastError());
    ComPtr<ITypeLib> library;
    const HRESULT status = ::LoadTypeLibEx(module, REGKIND_NONE, &library);
    return FAILED(status) ? status : library->GetTypeInfoOfGuid(__uuidof(INorvaltx), &FTypeInfo);
  }

  const std::optional<std::string>& TracePath() const {
    return FScript.TracePath ? FScript.TracePath : FSettings.TracePath;
  }

  void Trace(TCall call, const std::wstring& argument) const {
    if (!TracePath()) return;
    std::string line(CallName(call));
    if (!argument.empty()) {
      line += '\t';
      line += EncodeUtf8(argument);
    }
    line += "\r\n";
    try {
      AppendToFile(FromUtf8(*TracePath()), line);
    } catch (const TFileError&) {
      // A trace that cannot be written must not change the answers tests look at.
    }
  }

  const TCallDirective* DirectiveFor(TCall call, const std::string& file, TDirectiveStage stage) const {
    const TCallDirective* directive = FindDirective(FSettings.Directives, call, file, stage);
    return directive ? directive : FindDirective(FScript.Directives, call, file, stage);
  }

  void Wait(const TCallDirective* delay) const {
    if (!delay) return;
    if (FHost.Delay)
      FHost.Delay(delay->Milliseconds);
    else
      ::Sleep(delay->Milliseconds);
  }

  void ShowBox(const TCallDirective* box) const {
    if (!box) return;
    const std::wstring caption = FromUtf8(box->Caption), text = FromUtf8(box->Text);
    if (FHost.Box)
      FHost.Box(caption, text);
    else
      ::MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
  }

  // Traces the call, waits out any delay for it, shows any box for it, obeys any fail or
  // crash directive for it, then does the work and waits out any delay after it; no
  // exception crosses the interface.
  template <typename Work>
  HRESULT Serve(TCall call, const std::wstring& argument, const std::wstring& file, Work work) {
    try {
      Trace(call, argument);
      if (FSettingsError) throw TCallFailure{E_FAIL, *FSettingsError};
      const std::string fileName = EncodeUtf8(file);
      Wait(DirectiveFor(call, fileName, TDirectiveStage::DelayBefore));
      ShowBox(DirectiveFor(call, fileName, TDirectiveStage::Box));
      if (const TCallDirective* directive = DirectiveFor(call, fileName, TDirectiveStage::Outcome)) {
        if (directive->Action == TCallDirective::Crash) {
          if (FHost.BeforeCrash) FHost.BeforeCrash();
          ::TerminateProcess(::GetCurrentProcess(), 3);
        }
        throw TCallFailure{static_cast<HRESULT>(directive->Status), FromUtf8(directive->Description.value_or(""))};
      }
      work();
      Wait(DirectiveFor(call, fileName, TDirectiveStage::DelayAfter));
      SetErrorDescription(L"");
      return S_OK;
    } catch (const TCallFailure& failure) {
      SetErrorDescription(failure.Description);
      return failure.Status;
    } catch (const std::bad_alloc&) {
      SetErrorDescription(L"");
      return E_OUTOFMEMORY;
    }
  }

  void RequireOpenFile() const {
    if (FOpenFile.empty()) throw TCallFailure{E_UNEXPECTED, L"No NC file is open"};
  }

  void RunStep(const std::vector<TRule>& settingsRules, const std::vector<TRule>& scriptRules) {
    RequireOpenFile();
    FText = ApplyRules(ApplyRules(FText, settingsRules), scriptRules);
  }

  void AnswerFolder(VARIANT& result) const {
    const std::optional<TFolderAnswer>& answer = FScript.Folder ? FScript.Folder : FSettings.Folder;
    ::VariantInit(&result);
    if (!answer) {
      wchar_t folder[MAX_PATH];
      const DWORD length = ::GetCurrentDirectoryW(MAX_PATH, folder);
      result.vt = VT_BSTR;
      result.bstrVal = MakeBstr(std::wstring_view(folder, length)).Release();
      return;
    }
    switch (answer->Kind) {
      case TFolderAnswer::TKind::Text:
        result.vt = VT_BSTR;
        result.bstrVal = MakeBstr(FromUtf8(answer->Text)).Release();
        break;
      case TFolderAnswer::TKind::Number:
        result.vt = VT_I4;
        result.lVal = answer->Number;
        break;
      case TFolderAnswer::TKind::Empty: break;
    }
  }

  std::atomic<ULONG> FReferences{1};
  TStandInHost FHost;
  ComPtr<ITypeInfo> FTypeInfo;
  TScript FSettings, FScript;
  std::optional<std::wstring> FSettingsError;
  std::wstring FOpenFile;
  std::string FText;
};

#undef NORVALT_RESERVED

}  // namespace

ComPtr<INorvaltx> CreateStandInNorvalt(const std::wstring& settingsPath, TStandInHost host) {
  ComPtr<INorvaltx> object;
  object.Attach(new TStandInNorvalt(settingsPath, std::move(host)));
  return object;
}
