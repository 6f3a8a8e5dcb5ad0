#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "base/errors.h"
#include "pump.h"
#include "threads/custom_thread.h"
#include "ui/ui_thread_call.h"

namespace {

// A worker that makes a given number of calls onto the UI thread.
class TCallingThread : public TCustomThread {
 public:
  explicit TCallingThread(int calls) : FCalls(calls) {}
  ~TCallingThread() override { Shutdown(); }
  std::atomic<int> Served{0};
  std::atomic<DWORD> ServedOn{0};

 protected:
  void Execute() override {
    for (int i = 0; i < FCalls; ++i)
      CallOnUIThread([this] {
        ServedOn = ::GetCurrentThreadId();
        ++Served;
      });
  }

 private:
  int FCalls;
};

TEST(UIThreadCall, ServedWhileAMessageBoxRunsItsModalLoop) {
  TWatchdog dog(30000);
  InitUIThreadCalls();
  const DWORD uiThread = ::GetCurrentThreadId();
  std::atomic<DWORD> ranOn{0};
  std::thread worker([&] {
    HWND box = nullptr;
    for (int i = 0; i < 1000 && !box; ++i) {
      ::Sleep(10);
      box = ::FindWindowW(nullptr, L"Velbrook call test");
    }
    if (!box) return;
    CallOnUIThread([&] {
      ranOn = ::GetCurrentThreadId();
      ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
  });
  const int answer = ::MessageBoxW(nullptr, L"waiting for a worker", L"Velbrook call test", MB_OK);
  worker.join();
  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(ranOn.load(), uiThread);
}

TEST(UIThreadCall, ServedInsideANestedGetMessageLoop) {
  TWatchdog dog(30000);
  InitUIThreadCalls();
  const DWORD uiThread = ::GetCurrentThreadId();
  std::atomic<bool> served{false};
  std::thread worker([&] {
    CallOnUIThread([&] { served = true; });
    ::PostThreadMessageW(uiThread, WM_NULL, 0, 0);  // wakes the loop to see the flag
  });
  MSG msg;
  while (!served && ::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
  worker.join();
  EXPECT_TRUE(served);
}

TEST(UIThreadCall, ErrorsOfTheCallReachTheCallingThread) {
  TWatchdog dog(30000);
  InitUIThreadCalls();
  std::wstring message;
  bool otherError = false;
  TKernelHandle finished(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  std::thread worker([&] {
    try {
      CallOnUIThread([] { throw EOutOfResources(L"drawing failed"); });
    } catch (const EOutOfResources& e) {
      message = e.Message();
    } catch (...) {
      otherError = true;
    }
    ::SetEvent(finished.Get());
  });
  // The UI thread serves calls only while it waits for the worker's end.
  WaitServingUIThreadCalls(finished.Get());
  worker.join();
  EXPECT_EQ(message, L"drawing failed");
  EXPECT_FALSE(otherError);
}

TEST(UIThreadCall, WaitingForAThreadsEndServesItsCalls) {
  TWatchdog dog(30000);
  TCallingThread thread(25);
  thread.Resume();
  thread.WaitFor();
  EXPECT_EQ(thread.Served.load(), 25);
  EXPECT_EQ(thread.ServedOn.load(), ::GetCurrentThreadId());
  EXPECT_TRUE(thread.Finished());
}

TEST(UIThreadCall, OnTheUIThreadTheCallRunsAtOnce) {
  InitUIThreadCalls();
  bool ran = false;
  CallOnUIThread([&] { ran = true; });
  EXPECT_TRUE(ran);
  EXPECT_THROW(CallOnUIThread([] { throw Exception(L"x"); }), Exception);
}

}  // namespace
