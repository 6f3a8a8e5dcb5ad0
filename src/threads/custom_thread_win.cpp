#include "threads/custom_thread.h"

#include <process.h>

#include "base/errors.h"
#include "ui/ui_thread_call.h"

TCustomThread::TCustomThread() {
  InitUIThreadCalls();
  FStopEvent.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!FStopEvent) throw Exception(L"Cannot create a thread");
  FHandle.Reset(reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, ThreadProc, this, CREATE_SUSPENDED, nullptr)));
  if (!FHandle) throw Exception(L"Cannot create a thread");
}

TCustomThread::~TCustomThread() { TCustomThread::Shutdown(); }

unsigned __stdcall TCustomThread::ThreadProc(void* self) {
  auto* thread = static_cast<TCustomThread*>(self);
  try {
    thread->Execute();
  } catch (...) {
    // Nothing may escape a thread; the owner sees only that it has ended.
  }
  thread->FFinished = true;
  return 0;
}

void TCustomThread::Resume() {
  if (!FSuspended) return;
  if (::ResumeThread(FHandle.Get()) == static_cast<DWORD>(-1)) throw Exception(L"Cannot start a thread");
  FSuspended = false;
}

void TCustomThread::Terminate() {
  FTerminated = true;
  ::SetEvent(FStopEvent.Get());
}

void TCustomThread::SleepUnlessTerminated(DWORD milliseconds) const {
  ::WaitForSingleObject(FStopEvent.Get(), milliseconds);
}

void TCustomThread::WaitFor() { WaitServingUIThreadCalls(FHandle.Get()); }

void TCustomThread::Shutdown() {
  if (!FHandle) return;
  if (!FFinished) {
    Terminate();
    Resume();
  }
  WaitFor();
  FHandle.Reset();
}

namespace {

// The debugger convention: a first-chance exception that carries the thread's name.
constexpr DWORD ThreadNameException = 0x406D1388;

#pragma pack(push, 8)
struct TThreadNameInfo {
  DWORD Type;  // always 0x1000
  LPCSTR Name;
  DWORD ThreadId;  // -1: the calling thread
  DWORD Flags;
};
#pragma pack(pop)

// Without compiler support for structured exception handling, a vectored handler takes
// the naming exception when no debugger took it first.
LONG CALLBACK SkipThreadNameException(EXCEPTION_POINTERS* info) {
  return info->ExceptionRecord->ExceptionCode == ThreadNameException ? EXCEPTION_CONTINUE_EXECUTION
                                                                     : EXCEPTION_CONTINUE_SEARCH;
}

void TellDebugger(const std::wstring& name) {
  if (!::IsDebuggerPresent()) return;
  const std::string narrow(name.begin(), name.end());  // class names are plain ASCII
  TThreadNameInfo info{0x1000, narrow.c_str(), static_cast<DWORD>(-1), 0};
  PVOID handler = ::AddVectoredExceptionHandler(1, SkipThreadNameException);
  if (!handler) return;
  ::RaiseException(ThreadNameException, 0, sizeof(info) / sizeof(ULONG_PTR), reinterpret_cast<const ULONG_PTR*>(&info));
  ::RemoveVectoredExceptionHandler(handler);
}

void SetDescription(const std::wstring& name) {
  using TSetThreadDescription = HRESULT(WINAPI*)(HANDLE, PCWSTR);
  // Only newer systems have it, so it is looked up rather than linked.
  const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  if (!kernel) return;
  const auto set = reinterpret_cast<TSetThreadDescription>(
      reinterpret_cast<void*>(::GetProcAddress(kernel, "SetThreadDescription")));
  if (set) set(::GetCurrentThread(), name.c_str());
}

}  // namespace

void TCustomThread::NameThreadForDebugging(const std::wstring& name) {
  SetDescription(name);
  TellDebugger(name);
}
