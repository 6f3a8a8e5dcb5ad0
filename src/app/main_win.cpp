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
#include "app/command_runs.h"
#include "app/mainunit.h"
#include "app/parent_console.h"
#include "app/registration.h"
#include "app/run_record_format.h"
#include "app/session_lock.h"
#include "app/unattended_run.h"
#include "base/win_handles.h"
#include "dialogs/mymessage.h"
#include "platform/run_files.h"
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

// The program ends at once, with this code and what to say on the parent's console (the
// problem, and what helps with it).
struct TEarlyEnd {
  int ExitCode;
  std::wstring Problem, Help;
};

// Reads and checks the program's arguments: ecBadArguments for arguments that are wrong,
// ecTreated for the usage written to a console.
std::variant<TStartRequest, TEarlyEnd> ReadArguments(const std::vector<std::wstring>& arguments) {
  std::optional<TCommandLine> line;
  try {
    line = ParseCommandLine(arguments);
  } catch (const EBadArguments& e) {
    return TEarlyEnd{ecBadArguments, e.Message(), L"\r\n" + UsageText()};
  }
  TStartRequest request;
  if (!line) return request;
  if (line->Usage) {
    request.Usage = true;
    return request;
  }
  try {
    request.Unattended = std::make_unique<TUnattendedRun>(std::move(*line));
  } catch (const EBadArguments& e) {
    return TEarlyEnd{ecBadArguments, e.Message(), L""};
  }
  return request;
}

// The arguments as one line, those with blanks in quotes.
std::wstring ArgumentsText(const std::vector<std::wstring>& arguments) {
  std::wstring text;
  for (const std::wstring& argument : arguments) {
    if (!text.empty()) text += L' ';
    text += argument.find(L' ') == std::wstring::npos ? argument : L"\"" + argument + L"\"";
  }
  return text;
}

// Every start with a command line but the usage leaves its line in the log of command runs,
// however it ends, so that a scheduled run's reason is never lost.
class TCommandRunLog {
 public:
  explicit TCommandRunLog(const std::vector<std::wstring>& arguments)
      : FStarted(RecordTimeText(LocalNow())), FCommandLine(ArgumentsText(arguments)) {}
  void Ended(int exitCode, TCommandRun run) const {
    run.Started = FStarted;
    run.CommandLine = FCommandLine;
    run.ExitCode = exitCode;
    AppendCommandRun(run);
  }

 private:
  std::wstring FStarted, FCommandLine;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const std::vector<std::wstring> arguments = ProgramArguments();
  const TCommandRunLog log(arguments);
  std::variant<TStartRequest, TEarlyEnd> read = ReadArguments(arguments);
  if (const TEarlyEnd* early = std::get_if<TEarlyEnd>(&read)) {
    WriteToParentConsole(early->Problem + early->Help);
    log.Ended(early->ExitCode, TCommandRun{.Message = early->Problem});
    return early->ExitCode;
  }
  TStartRequest& request = std::get<TStartRequest>(read);
  if (request.Usage && WriteToParentConsole(UsageText())) return ecTreated;
  TUnattendedRun* const unattended = request.Unattended.get();
  // Nobody may be there to close a box: an unexpected error ends an unattended run's start.
  if (unattended)
    ReportExceptionsTo([unattended](const std::exception_ptr& error) { unattended->FailedToStart(error); });
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
  // Only an unattended run has something to say by its exit code, and a line to log.
  const auto exitCode = [&] {
    if (!unattended) return 0;
    log.Ended(unattended->ExitCode(), unattended->Logged());
    return unattended->ExitCode();
  };
  if (Application().Terminated()) return exitCode();
  if (!unattended) RunGuarded([&aboutBox] { aboutBox = std::make_unique<TAboutBox>(nullptr); });
  mainForm->Show();
  Application().Run();
  // Releasing the object of a Norvalt that hangs would wait as long as it hangs.
  if (!mainForm->Norvalt().MayRelease()) ExitProcess(static_cast<UINT>(exitCode()));
  return exitCode();
}
