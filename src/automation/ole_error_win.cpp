#include "automation/ole_error.h"

#include <oleauto.h>
#include <wrl/client.h>

#include "automation/ole_error_text.h"
#include "automation/ole_owned.h"
#include "base/errors.h"
#include "base/win_handles.h"

using Microsoft::WRL::ComPtr;

namespace {

// The description the failing object left behind, if it says it leaves one for `iid`.
std::wstring ServerDescription(IUnknown* source, REFIID iid) {
  // Always take the error object, so a stale one never explains a later failure.
  ComPtr<IErrorInfo> info;
  if (::GetErrorInfo(0, &info) != S_OK || !info || !source) return {};
  ComPtr<ISupportErrorInfo> support;
  if (FAILED(source->QueryInterface(IID_PPV_ARGS(&support))) || support->InterfaceSupportsErrorInfo(iid) != S_OK)
    return {};
  TBstr description;
  if (FAILED(info->GetDescription(description.Put())) || !description) return {};
  return BstrText(description.Get());
}

}  // namespace

std::wstring SystemStatusText(HRESULT status) {
  TLocalMemory<wchar_t*> text;
  const DWORD length =
      ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(status), 0, reinterpret_cast<wchar_t*>(text.Put()), 0, nullptr);
  return length ? std::wstring(text.Get(), length) : std::wstring();
}

void RaiseOleError(HRESULT status, IUnknown* source, REFIID iid) {
  const std::wstring description = ServerDescription(source, iid);
  if (IsAbortStatus(status)) throw EAbort();
  throw EOleError(OleErrorText(status, description, description.empty() ? SystemStatusText(status) : L""), status);
}
