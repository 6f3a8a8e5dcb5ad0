// Program entry: application set-up, the style, the main window and the About box.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "about/about_unit.h"
#include "app/mainunit.h"
#include "app/registration.h"
#include "app/session_lock.h"
#include "ui/application.h"
#include "ui/dispatcher.h"
#include "ui/style.h"
#include "ui/ui_thread_call.h"

namespace {

// Joins the UI thread to a single-threaded apartment for the program's whole run.
class TComApartment {
 public:
  TComApartment() : FJoined(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~TComApartment() {
    if (FJoined) CoUninitialize();
  }
  TComApartment(const TComApartment&) = delete;
  TComApartment& operator=(const TComApartment&) = delete;

 private:
  bool FJoined;
};

// Brings the window of the Velbrook already running to the front. That Velbrook may still
// be in its start sequence, so its window is given a while to appear.
void BringRunningVelbrookToFront() {
  for (int tries = 0; tries < 100; ++tries) {
    HWND window = FindWindowW(L"VelbrookContainer", L"Velbrook");
    if (window && IsWindowVisible(window)) {
      if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
      SetForegroundWindow(window);
      return;
    }
    Sleep(100);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // One Velbrook per session: two would share the one Norvalt.
  const TSessionLock instance(L"Velbrook.Instance");
  if (!instance.Held()) {
    BringRunningVelbrookToFront();
    return 0;
  }
  TComApartment apartment;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  InitUIThreadCalls();
  RegisterProgramComponents();
  RunGuarded([] { ApplyStyle(L"Glossy"); });

  std::unique_ptr<TAboutBox> aboutBox;
  const auto mainForm = Application().CreateMainForm<TMainForm>(nullptr, [&aboutBox] {
    if (aboutBox) aboutBox->ShowModal();
  });
  if (Application().Terminated()) return 0;
  RunGuarded([&aboutBox] { aboutBox = std::make_unique<TAboutBox>(nullptr); });
  mainForm->Show();
  const int exitCode = Application().Run();
  // Releasing the object of a Norvalt that hangs would wait as long as it hangs.
  if (mainForm->NorvaltUnanswered()) ExitProcess(static_cast<UINT>(exitCode));
  return exitCode;
}
