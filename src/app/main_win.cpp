// Program entry: application set-up, the style, the main window and the About box.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "about/about_unit.h"
#include "app/mainunit.h"
#include "app/registration.h"
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

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
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
  return Application().Run();
}
