#pragma once
// Message pumping for tests of threads and timers, with a watchdog so that a hang ends the
// test run with a message instead of blocking it.
#include <windows.h>

#include <cstdio>
#include <functional>

#include "base/win_handles.h"

// Ends the process if the scope is not left within the given time.
class TWatchdog {
 public:
  explicit TWatchdog(DWORD ms) : FDone(::CreateEventW(nullptr, TRUE, FALSE, nullptr)), FMs(ms) {
    FThread.Reset(::CreateThread(nullptr, 0, Watch, this, 0, nullptr));
  }
  ~TWatchdog() {
    ::SetEvent(FDone.Get());
    ::WaitForSingleObject(FThread.Get(), INFINITE);
  }

 private:
  static DWORD WINAPI Watch(void* self) {
    auto* dog = static_cast<TWatchdog*>(self);
    if (::WaitForSingleObject(dog->FDone.Get(), dog->FMs) == WAIT_TIMEOUT) {
      std::fprintf(stderr, "watchdog: the test hung\n");
      std::fflush(stderr);
      ::TerminateProcess(::GetCurrentProcess(), 99);
    }
    return 0;
  }
  TKernelHandle FDone;
  TKernelHandle FThread;
  DWORD FMs;
};

// Dispatches messages (sent ones included) until done() holds.
inline void PumpUntil(const std::function<bool()>& done) {
  while (!done()) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
}

// Dispatches messages for about ms milliseconds.
inline void PumpFor(DWORD ms) {
  const ULONGLONG end = ::GetTickCount64() + ms;
  PumpUntil([end] { return ::GetTickCount64() >= end; });
}
