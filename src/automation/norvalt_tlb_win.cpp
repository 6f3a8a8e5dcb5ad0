#include "automation/norvalt_tlb.h"

#include "automation/ole_error.h"
#include "automation/ole_owned.h"
#include "base/errors.h"

using Microsoft::WRL::ComPtr;

ComPtr<INorvaltx> CoNorvaltx::Create() {
  ComPtr<INorvaltx> server;
  const HRESULT status = ::CoCreateInstance(CLSID_CoNorvaltx, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER,
                                            IID_PPV_ARGS(&server));
  if (FAILED(status)) RaiseOleError(status, nullptr, __uuidof(INorvaltx));
  return server;
}

TNorvalt::TNorvalt(ComPtr<INorvaltx> server) : FServer(std::move(server)) {}

void TNorvalt::check(HRESULT status) const { OleCheck(status, FServer.Get(), __uuidof(INorvaltx)); }

long TNorvalt::OpenNcFile(const std::wstring& path) {
  LONG result = 0;
  check(FServer->OpenNcFile(MakeBstr(path).get(), &result));
  return result;
}

void TNorvalt::ScriptStep1() { check(FServer->ScriptStep1()); }

void TNorvalt::ScriptStep2() { check(FServer->ScriptStep2()); }

long TNorvalt::SaveNcFileAs(const std::wstring& path) {
  LONG result = 0;
  check(FServer->SaveNcFileAs(MakeBstr(path).get(), &result));
  return result;
}

std::wstring TNorvalt::GetFolder(long selector) {
  TVariant answer;
  check(FServer->GetFolder(selector, answer.put()));
  if (answer.get().vt == VT_EMPTY) return {};
  TVariant text;
  OleCheck(::VariantChangeType(text.put(), &answer.get(), 0, VT_BSTR), nullptr, __uuidof(INorvaltx));
  return BstrText(text.get().bstrVal);
}

long TNorvalt::LoadScript(const std::wstring& path) {
  LONG result = 0;
  check(FServer->LoadScript(MakeBstr(path).get(), &result));
  return result;
}
