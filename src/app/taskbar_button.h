#pragma once
// The main window's taskbar button through the shell's taskbar interface. Where the shell
// offers none (older systems, Wine), progress shows on the window alone.
#include <windows.h>

#include <shobjidl.h>
#include <wrl/client.h>

#include "app/batch_run.h"

class TTaskbarButton final : public ITaskbarButton {
 public:
  explicit TTaskbarButton(HWND window) : FWindow(window) {}
  void ShowProgress(int position, int max) override;
  void ShowFailure() override;
  void FlashUnlessInFront() override;

 private:
  // The shell's interface, asked for once; null when there is none.
  ITaskbarList3* Taskbar();

  HWND FWindow;  // the main window's, which outlives the button
  Microsoft::WRL::ComPtr<ITaskbarList3> FTaskbar;
  bool FAsked = false;
};
