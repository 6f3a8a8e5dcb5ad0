#include "ui/ui_thread_call.h"

#include <exception>
#include <memory>
#include <mutex>

#include "base/errors.h"
#include "ui/dispatcher.h"
#include "ui/message_window.h"

namespace {

constexpr UINT WM_UI_CALL = WM_APP + 0x5A1;
constexpr UINT WM_UI_POST = WM_APP + 0x5A2;
constexpr wchar_t CallWindowClass[] = L"VelbrookUIThreadCall";

struct TCallRequest {
  const std::function<void()>* Action;
  std::exception_ptr Error;
  bool Ran = false;
};

LRESULT CALLBACK CallWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_UI_POST) {
    const std::unique_ptr<std::function<void()>> action(reinterpret_cast<std::function<void()>*>(lParam));
    RunGuarded(*action);
    return 0;
  }
  if (msg != WM_UI_CALL) return ::DefWindowProcW(wnd, msg, wParam, lParam);
  auto* request = reinterpret_cast<TCallRequest*>(lParam);
  request->Ran = true;
  // The caller decides what an error means, so it travels back instead of escaping here.
  try {
    (*request->Action)();
  } catch (...) {
    request->Error = std::current_exception();
  }
  return 0;
}

struct TCallTarget {
  TWindowHandle Window;
  DWORD ThreadId = 0;
};

TCallTarget& Target() {
  static TCallTarget target;
  return target;
}

void CreateCallWindow() {
  Target().Window = CreateMessageWindow(CallWindowClass, CallWindowProc, L"UI call");
  Target().ThreadId = ::GetCurrentThreadId();
}

}  // namespace

void InitUIThreadCalls() {
  static std::once_flag once;
  std::call_once(once, CreateCallWindow);
}

void CallOnUIThread(const std::function<void()>& action) {
  TCallTarget& target = Target();
  if (!target.Window) throw Exception(L"UI thread calls are not set up");
  if (::GetCurrentThreadId() == target.ThreadId) {
    action();
    return;
  }
  TCallRequest request{&action, nullptr};
  ::SendMessageW(target.Window.Get(), WM_UI_CALL, 0, reinterpret_cast<LPARAM>(&request));
  if (!request.Ran) throw Exception(L"The UI thread did not take the call");
  if (request.Error) std::rethrow_exception(request.Error);
}

void PostToUIThread(std::function<void()> action) {
  TCallTarget& target = Target();
  if (!target.Window) throw Exception(L"UI thread calls are not set up");
  auto posted = std::make_unique<std::function<void()>>(std::move(action));
  if (!::PostMessageW(target.Window.Get(), WM_UI_POST, 0, reinterpret_cast<LPARAM>(posted.get())))
    throw Exception(L"The UI thread did not take the call");
  posted.release();  // the window procedure owns it now
}

void WaitServingUIThreadCalls(HANDLE handle) {
  for (;;) {
    const DWORD result = ::MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_SENDMESSAGE);
    if (result == WAIT_OBJECT_0) return;
    if (result != WAIT_OBJECT_0 + 1) throw Exception(L"Waiting for a thread failed");
    // Peeking runs every message sent to this thread; nothing posted is removed.
    MSG msg;
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}
