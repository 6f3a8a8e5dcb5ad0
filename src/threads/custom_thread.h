#pragma once
// A worker thread object: created suspended, started by Resume, asked to stop through
// Terminate. Waiting for its end on the UI thread keeps serving the worker's calls onto
// the UI thread, so a worker that is drawing through the UI thread cannot deadlock it.
#include <windows.h>

#include <atomic>
#include <string>

#include "base/win_handles.h"

class TCustomThread {
 public:
  // Must run on the UI thread (it prepares the worker's calls onto it).
  TCustomThread();
  virtual ~TCustomThread();
  TCustomThread(const TCustomThread&) = delete;
  TCustomThread& operator=(const TCustomThread&) = delete;

  // Starts a thread that was never started; does nothing otherwise.
  void Resume();
  bool Suspended() const { return FSuspended; }
  bool Finished() const { return FFinished; }

  // Sets the stop flag and wakes the worker from SleepUnlessTerminated.
  void Terminate();
  bool Terminated() const { return FTerminated; }

  // Waits for the thread's end while serving the calls it makes onto the UI thread.
  void WaitFor();

 protected:
  // The thread body. An exception escaping it ends the thread silently.
  virtual void Execute() = 0;

  // Stops the thread and waits for it: sets the stop flag, starts it if it never ran and
  // waits for its end. The most derived class calls it from its destructor, while the
  // object is still whole; later calls do nothing.
  virtual void Shutdown();

  // The worker's sleep, cut short by Terminate: any length, even INFINITE, lets the thread
  // end when asked.
  void SleepUnlessTerminated(DWORD milliseconds) const;

  // Labels the calling thread for debuggers and system tools.
  static void NameThreadForDebugging(const std::wstring& name);

 private:
  static unsigned __stdcall ThreadProc(void* self);

  TKernelHandle FHandle;
  TKernelHandle FStopEvent;
  bool FSuspended = true;
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FFinished{false};
};
