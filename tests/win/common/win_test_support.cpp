#include "win_test_support.h"

#include <shellapi.h>
#include <wrl/client.h>

#include "base/win_handles.h"
#include "window_search.h"

#include <chrono>
#include <map>

namespace {

std::map<UINT_PTR, std::function<void()>>& PendingActions() {
  static std::map<UINT_PTR, std::function<void()>> actions;
  return actions;
}

void CALLBACK RunPendingAction(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  auto found = PendingActions().find(id);
  if (found == PendingActions().end()) return;
  auto action = std::move(found->second);
  PendingActions().erase(found);
  action();
}

}  // namespace

TDialogAnswerer::TDialogAnswerer(int answerId) : FAnswerId(answerId), FThread([this] { Watch(); }) {}

TDialogAnswerer::~TDialogAnswerer() {
  FStop = true;
  FThread.join();
}

std::vector<TSeenDialog> TDialogAnswerer::Seen() {
  std::lock_guard<std::mutex> guard(FLock);
  return FSeen;
}

void TDialogAnswerer::Watch() {
  while (!FStop) {
    const HWND box =
        FindVisibleTopLevel(GetCurrentProcessId(), [](HWND window) { return WindowClassName(window) == L"#32770"; });
    if (box) {
      TSeenDialog seen{WindowText(box), WindowText(GetDlgItem(box, 0xFFFF))};
      {
        std::lock_guard<std::mutex> guard(FLock);
        FSeen.push_back(seen);
      }
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(FAnswerId, BN_CLICKED), 0);
      while (!FStop && IsWindow(box) && IsWindowVisible(box)) Sleep(20);
    }
    Sleep(30);
  }
}

void RunOnUiThreadLater(unsigned delayMs, std::function<void()> action) {
  const UINT_PTR id = SetTimer(nullptr, 0, delayMs, RunPendingAction);
  PendingActions()[id] = std::move(action);
}

bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done() && std::chrono::steady_clock::now() < deadline) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return done();
}

TTempFolder::TTempFolder() {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  static int counter = 0;
  FPath = std::wstring(base) + L"vbtest" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++counter);
  CreateDirectoryW(FPath.c_str(), nullptr);
}

TTempFolder::~TTempFolder() {
  std::wstring from = FPath + L'\0';
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NO_UI;
  SHFileOperationW(&op);
}

std::wstring TTempFolder::Write(const std::wstring& name, const std::string& content) const {
  const std::wstring path = FPath + L"\\" + name;
  TFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  return path;
}

std::string ReadFileBytes(const std::wstring& path) {
  TFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return {};
  std::string bytes(GetFileSize(file.Get(), nullptr), '\0');
  DWORD read = 0;
  ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  bytes.resize(read);
  return bytes;
}

TAccessibleRead ReadAccessible(HWND window, long child) {
  TAccessibleRead read;
  Microsoft::WRL::ComPtr<IAccessible> object;
  if (AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                 reinterpret_cast<void**>(object.GetAddressOf())) != S_OK)
    return read;
  VARIANT id;
  VariantInit(&id);
  id.vt = VT_I4;
  id.lVal = child;
  auto text = [&](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), std::wstring& out) {
    BSTR value = nullptr;
    if ((object.Get()->*get)(id, &value) == S_OK && value) out.assign(value, SysStringLen(value));
    SysFreeString(value);
  };
  text(&IAccessible::get_accName, read.Name);
  text(&IAccessible::get_accValue, read.Value);
  VARIANT value;
  VariantInit(&value);
  if (object->get_accRole(id, &value) == S_OK && value.vt == VT_I4) read.Role = value.lVal;
  if (object->get_accState(id, &value) == S_OK && value.vt == VT_I4) read.State = value.lVal;
  if (child == CHILDID_SELF) object->get_accChildCount(&read.ChildCount);
  return read;
}
