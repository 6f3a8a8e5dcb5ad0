// Program entry: application set-up, the style, the main window and the About box.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "about/about_unit.h"
#include "app/command_line.h"
#include "app/mainunit.h"
#include "app/parent_console.h"
#include "app/registration.h"
#include "app/session_lock.h"
#include "app/unattended_run.h"
#include "base/win_handles.h"
#include "dialogs/mymessage.h"
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

// The arguments after the program's name, quoted ones whole.
std::vector<std::wstring> ProgramArguments() {
  int count = 0;
  const TLocalMemory<wchar_t**> arguments(::CommandLineToArgvW(::GetCommandLineW(), &count));
  if (!arguments) return {};
  return std::vector<std::wstring>(arguments.Get() + std::min(count, 1), arguments.Get() + count);
}

// What the program's arguments ask for: a start by hand (neither set), the usage in a box
// (Usage), or an unattended run.
struct TStartRequest {
  bool Usage = false;
  std::unique_ptr<TUnattendedRun> Unattended;
};

// Reads and checks the program's arguments, or gives the exit code that ends the program at
// once: ecBadArguments once what is wrong with them is on the parent's console, ecTreated
// once the usage is.
std::variant<TStartRequest, int> ReadArguments() {
  std::optional<TCommandLine> line;
  try {
    line = ParseCommandLine(ProgramArguments());
  } catch (const EBadArguments& e) {
    WriteToParentConsole(e.Message() + L"\r\n" + UsageText());
    return ecBadArguments;
  }
  TStartRequest request;
  if (!line) return request;
  if (line->Usage) {
    if (WriteToParentConsole(UsageText())) return ecTreated;
    request.Usage = true;
    return request;
  }
  try {
    request.Unattended = std::make_unique<TUnattendedRun>(std::move(*line));
  } catch (const EBadArguments& e) {
    WriteToParentConsole(e.Message());
    return ecBadArguments;
  }
  return request;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  std::variant<TStartRequest, int> read = ReadArguments();
  if (const int* exitNow = std::get_if<int>(&read)) return *exitNow;
  TStartRequest& request = std::get<TStartRequest>(read);
  TUnattendedRun* const unattended = request.Unattended.get();
  // One Velbrook window per session: two would share the one Norvalt. An unattended run
  // goes beside it; the run's own lock keeps the two runs apart.
  TSessionLock instance;
  if (!unattended && !request.Usage) {
    instance = TSessionLock(L"Velbrook.Instance");
    if (!instance.Held()) {
      BringRunningVelbrookToFront();
      return 0;
    }
  }
  TComApartment apartment;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  InitUIThreadCalls();
  RegisterProgramComponents();
  RunGuarded([] { ApplyStyle(L"Glossy"); });
  if (request.Usage) {
    MyMess(L"Velbrook", UsageText(), 0);
    return ecTreated;
  }

  std::unique_ptr<TAboutBox> aboutBox;
  const auto mainForm = Application().CreateMainForm<TMainForm>(
      nullptr,
      [&aboutBox] {
        if (aboutBox) aboutBox->ShowModal();
      },
      unattended);
  // Only an unattended run has something to say by its exit code.
  const auto exitCode = [&] { return unattended ? unattended->ExitCode() : 0; };
  if (Application().Terminated()) return exitCode();
  RunGuarded([&aboutBox] { aboutBox = std::make_unique<TAboutBox>(nullptr); });
  mainForm->Show();
  Application().Run();
  // Releasing the object of a Norvalt that hangs would wait as long as it hangs.
  if (!mainForm->Norvalt().MayRelease()) ExitProcess(static_cast<UINT>(exitCode()));
  return exitCode();
}
