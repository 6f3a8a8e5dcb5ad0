#pragma once
// The application object: message loop, modal loops, the message hook chain and the
// program-wide title. One per process, used on the UI thread only.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Sees every message taken from the UI thread's queue (main and modal loops) before it is
// dispatched; setting handled keeps the message from being dispatched.
using TMessageHook = std::function<void(MSG& msg, bool& handled)>;

class TForm;

class TApplication {
 public:
  // Makes the program's main form, T(args...): the form whose closing ends the program,
  // which owns the forms made later and has the taskbar button. It is named the main form
  // before its constructor runs, so that a window made there is made as the main form's.
  template <typename T, typename... Args>
  std::unique_ptr<T> CreateMainForm(Args&&... args);
  TForm* MainForm() const { return FMainForm; }

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
  // A form's constructor and destructor take and give up the main form's place.
  friend class TForm;
  void FormConstructed(TForm* form);
  void FormDestroyed(TForm* form);

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
  TForm* FMainForm = nullptr;
  bool FMainFormNext = false;
};

TApplication& Application();

template <typename T, typename... Args>
std::unique_ptr<T> TApplication::CreateMainForm(Args&&... args) {
  FMainFormNext = true;
  struct TClear {
    bool& Flag;
    ~TClear() { Flag = false; }
  } clear{FMainFormNext};
  return std::make_unique<T>(std::forward<Args>(args)...);
}
