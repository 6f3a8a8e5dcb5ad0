#pragma once
// Helpers for tests that meet modal windows: one thread watches for message boxes and
// answers them; timers run checks on the UI thread while a modal loop is going on.
#include <windows.h>

#include <oleacc.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct TSeenDialog {
  std::wstring Caption;
  std::wstring Text;
};

// Watches this process for standard message boxes (#32770), records caption and text and
// presses the button with answerId. Stops when destroyed.
class TDialogAnswerer {
 public:
  explicit TDialogAnswerer(int answerId = IDOK);
  ~TDialogAnswerer();
  TDialogAnswerer(const TDialogAnswerer&) = delete;
  TDialogAnswerer& operator=(const TDialogAnswerer&) = delete;
  std::vector<TSeenDialog> Seen();

 private:
  void Watch();
  int FAnswerId;
  std::atomic<bool> FStop{false};
  std::mutex FLock;
  std::vector<TSeenDialog> FSeen;
  std::thread FThread;
};

// Runs action once on the UI thread after delayMs, also inside modal loops.
void RunOnUiThreadLater(unsigned delayMs, std::function<void()> action);

// Handles messages until done() holds or timeoutMs passes; returns done().
bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs = 10000);

// A temporary folder removed with everything in it when the object goes.
class TTempFolder {
 public:
  TTempFolder();
  ~TTempFolder();
  const std::wstring& Path() const { return FPath; }
  // Writes a file below the folder (name may hold subfolders that exist); returns its path.
  std::wstring Write(const std::wstring& name, const std::string& content) const;

 private:
  std::wstring FPath;
};

std::string ReadFileBytes(const std::wstring& path);

// What assistive technology reads of a window's client object, or of one of its children.
struct TAccessibleRead {
  std::wstring Name, Value;
  long Role = 0;
  long State = 0;
  long ChildCount = -1;
};
TAccessibleRead ReadAccessible(HWND window, long child = CHILDID_SELF);
