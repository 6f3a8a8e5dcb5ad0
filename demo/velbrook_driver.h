#pragma once
// Drives the real Velbrook.exe from another process as a user would: finds its windows
// and controls by class and caption, types, selects, presses buttons and answers dialogs.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "base/win_handles.h"

// A top-level window the program shows besides its main window: its own message dialog or
// the standard error box.
struct TProgramDialog {
  HWND Window = nullptr;
  bool ErrorBox = false;  // the standard box (error icon, one OK)
  std::wstring Caption;
  std::vector<std::wstring> Texts;  // visible labels and static texts, in window order, nested ones included
  std::vector<std::wstring> Buttons;
};

class TVelbrookDriver {
 public:
  ~TVelbrookDriver();

  // Starts the program and waits until its main window is visible; false when it ends or
  // does not show the window in time.
  bool Start(const std::wstring& exe, unsigned timeoutMs = 60000);
  // Starts the program, with the arguments given, in folder (unless empty), without waiting
  // for its window (for programs expected to stop early, and unattended runs).
  bool Launch(const std::wstring& exe, const std::wstring& arguments = L"", const std::wstring& folder = L"");
  bool WaitForMainWindow(unsigned timeoutMs);
  // Takes over a Velbrook that is already running (any process showing its main window).
  bool Attach(unsigned timeoutMs);
  HWND MainWindow() const { return FMain; }
  DWORD ProcessId() const { return FProcessId; }

  // The first visible descendant of the main window of a class (and with a text, if given).
  HWND FindControl(const wchar_t* className, const wchar_t* text = nullptr) const;
  std::wstring TextOf(HWND window) const;

  void SetScriptPath(const std::wstring& path);
  std::wstring ScriptPath() const;
  // The lists draw their names from the program's own data, so from outside only their
  // counts, highlight and selection can be read.
  int FileCount() const;
  HWND FileList() const;
  int FolderCount() const;
  std::vector<int> SelectedFiles() const;
  // Clicks the first entry, then Ctrl+clicks the others, as a user selects several files.
  void SelectFiles(const std::vector<int>& indexes);
  // Presses the button with the caption (posted: the program may start a long action).
  void Press(const wchar_t* caption, HWND inWindow = nullptr);
  // Real input through the X server (xdotool), as a user's hand gives it: unlike a posted
  // message, Windows holds it back while the program's UI thread is busy.
  void ClickWithMouse(HWND window) const;
  void PressKey(const char* keyName) const;
  // The texts that the main window shows (labels, buttons and group captions).
  std::vector<std::wstring> Texts() const;
  int ProgressPosition() const;
  int ProgressMax() const;
  // The drive box's selected entry.
  std::wstring DriveText() const;
  // The filter box: clicks into it, replaces its text and presses key (Enter, or Tab to
  // leave it).
  void TypeFilter(const std::wstring& text, WPARAM key = VK_RETURN);
  std::wstring FilterText() const;
  std::vector<std::wstring> FilterChoices() const;
  // Opens the filter box's list, highlights entry index and presses Enter.
  void ChooseFilter(int index);
  // Chooses an entry of the main window's system menu with the keyboard, as a user would:
  // Alt+Space, Up as often as the entry stands from the end (from the first entry round to
  // the last), Enter. 1 is the last entry.
  void ChooseSystemMenuEntryFromEnd(int place);
  void SystemCommand(UINT command);

  // Waits for a dialog of the program other than the main window.
  std::optional<TProgramDialog> WaitForDialog(unsigned timeoutMs);
  void Answer(const TProgramDialog& dialog, const wchar_t* buttonCaption);

  // Waits for the program to end; returns its exit code, or nothing on timeout.
  std::optional<DWORD> WaitForExit(unsigned timeoutMs);
  // Ends a program this driver started, if it still runs.
  void Kill();

 private:
  bool FindMainWindow(const wchar_t* title);
  void CollectTexts(HWND parent, TProgramDialog& dialog) const;

  TKernelHandle FProcess;
  DWORD FProcessId = 0;
  bool FOwnsProcess = false;  // started here, so ended here too
  HWND FMain = nullptr;
};

// Waits until condition holds or timeoutMs passes, checking every 50 ms; returns condition().
template <typename F>
bool WaitFor(F condition, unsigned timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (!condition()) {
    if (GetTickCount64() > deadline) return false;
    Sleep(50);
  }
  return true;
}
