#pragma once
// The application object: message loop, modal loops, the message hook chain and the
// program-wide title. One per process, used on the UI thread only.
#include <windows.h>

#include <functional>
#include <string>

// Sees every message taken from the UI thread's queue (main and modal loops) before it is
// dispatched; setting handled keeps the message from being dispatched.
using TMessageHook = std::function<void(MSG& msg, bool& handled)>;

class TApplication {
 public:
  // Installs hook and returns the one it replaces, so that callers can chain and restore.
  TMessageHook SetMessageHook(TMessageHook hook);

  // The program file's name up to its first ".", every character after the first lower case.
  const std::wstring& Title() const;

  // Takes, hooks and dispatches one message; false once WM_QUIT arrives.
  bool ProcessMessage(MSG& msg);
  // Handles the messages already waiting in the queue.
  void ProcessMessages();
  // Repaints what waits to be painted, taking no input, while the UI thread is busy.
  void ProcessPaintMessages();
  // Runs the main loop until WM_QUIT.
  int Run();
  // Asks the main loop to end.
  void Terminate();
  bool Terminated() const { return FTerminated; }

 private:
  TMessageHook FHook;
  mutable std::wstring FTitle;
  bool FTerminated = false;
};

TApplication& Application();
