#include "automation/norvalt_tlb.h"

#include "automation/ole_error.h"
#include "automation/ole_error_text.h"
#include "automation/ole_owned.h"
#include "base/errors.h"

using Microsoft::WRL::ComPtr;

ComPtr<INorvaltx> CoNorvaltx::Create() {
  const auto activate = [](ComPtr<INorvaltx>& server) {
    return ::CoCreateInstance(CLSID_CoNorvaltx, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&server));
  };
  ComPtr<INorvaltx> server;
  HRESULT status = activate(server);
  // A server process that was ended from outside may still be registered for a moment (Wine
  // keeps its class registration until it notices); the next activation starts a new one.
  if (FAILED(status) && IsServerGoneStatus(status)) status = activate(server);
  if (FAILED(status)) RaiseOleError(status, nullptr, __uuidof(INorvaltx));
  return server;
}

TNorvalt::TNorvalt(ComPtr<INorvaltx> server) : FServer(std::move(server)) {}

void TNorvalt::Check(HRESULT status) const { OleCheck(status, FServer.Get(), __uuidof(INorvaltx)); }

long TNorvalt::OpenNcFile(const std::wstring& path) {
  LONG result = 0;
  Check(FServer->OpenNcFile(MakeBstr(path).Get(), &result));
  return result;
}

void TNorvalt::ScriptStep1() { Check(FServer->ScriptStep1()); }

void TNorvalt::ScriptStep2() { Check(FServer->ScriptStep2()); }

long TNorvalt::SaveNcFileAs(const std::wstring& path) {
  LONG result = 0;
  Check(FServer->SaveNcFileAs(MakeBstr(path).Get(), &result));
  return result;
}

std::wstring TNorvalt::GetFolder(long selector) {
  TVariant answer;
  Check(FServer->GetFolder(selector, answer.Put()));
  if (answer.Get().vt == VT_EMPTY) return {};
  TVariant text;
  OleCheck(::VariantChangeType(text.Put(), &answer.Get(), 0, VT_BSTR), nullptr, __uuidof(INorvaltx));
  return BstrText(text.Get().bstrVal);
}

long TNorvalt::LoadScript(const std::wstring& path) {
  LONG result = 0;
  Check(FServer->LoadScript(MakeBstr(path).Get(), &result));
  return result;
}
