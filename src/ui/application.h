#pragma once
// The application object: message loop, modal loops, the message hook chain and the
// program-wide title. One per process, used on the UI thread only.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Sees every message taken from the UI thread's queue (main and modal loops) before it is
// dispatched; setting handled keeps the message from being dispatched.
using TMessageHook = std::function<void(MSG& msg, bool& handled)>;

class TApplication {
 public:
  // Adds a hook that sees each message after the hooks added before it, unless one of them
  // handled it. Returns the key that removes it again, in any order.
  int AddMessageHook(TMessageHook hook);
  void RemoveMessageHook(int key);

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
  struct THookEntry {
    int Key;
    std::shared_ptr<const TMessageHook> Hook;
  };
  void Dispatch(MSG& msg);
  bool Hooked(int key) const;

  std::vector<THookEntry> FHooks;
  int FLastHookKey = 0;
  mutable std::wstring FTitle;
  bool FTerminated = false;
};

TApplication& Application();
