// Plays a user of Velbrook one step at a time, so that scripts/run can take screenshots
// between the steps. Each step finds the running program by its main window.
// With VELBROOK_DESKTOP set, it looks for the program on that Wine desktop (scripts/run
// starts Velbrook in a desktop window so that screenshots show window frames).
//   velbrook_demo wait-main
//   velbrook_demo prepare <script path> <index>...   type the script, select files
//   velbrook_demo process <trace file>               press "Process", wait for the end
//   velbrook_demo about-open | about-close
//   velbrook_demo close                              press "Close", wait for the end
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "e2e_support.h"
#include "velbrook_driver.h"

namespace {

constexpr unsigned kStepTimeoutMs = 60000;

void PrintList(const wchar_t* what, const std::vector<std::wstring>& entries) {
  std::wprintf(L"%ls:", what);
  for (const auto& entry : entries) std::wprintf(L" [%ls]", entry.c_str());
  std::wprintf(L"\n");
}

int WaitMain(TVelbrookDriver& driver) {
  std::wprintf(L"main window shown; drive box: %ls; %d folder entries, %d files\n", driver.DriveText().c_str(),
               driver.FolderCount(), driver.FileCount());
  return 0;
}

int Prepare(TVelbrookDriver& driver, int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  driver.SetScriptPath(argv[2]);
  std::vector<int> indexes;
  for (int i = 3; i < argc; ++i) indexes.push_back(_wtoi(argv[i]));
  driver.SelectFiles(indexes);
  std::wprintf(L"script: %ls; %zu files selected\n", driver.ScriptPath().c_str(), driver.SelectedFiles().size());
  return 0;
}

int Process(TVelbrookDriver& driver, const std::wstring& tracePath) {
  const int selected = static_cast<int>(driver.SelectedFiles().size());
  driver.Press(L"Process");
  std::optional<TProgramDialog> dialog;
  const bool done = WaitFor(
      [&] {
        if ((dialog = driver.WaitForDialog(0))) return true;
        return CountCalls(ReadTrace(tracePath), L"SaveNcFileAs") >= selected && driver.ProgressPosition() == 0;
      },
      kStepTimeoutMs);
  if (dialog) {
    std::wprintf(L"the program shows a dialog:");
    for (const auto& text : dialog->Texts) std::wprintf(L" \"%ls\"", text.c_str());
    std::wprintf(L"\n");
    return 1;
  }
  std::wprintf(done ? L"%d files processed; progress bar back at 0 of %d\n" : L"the run did not end in time\n", selected,
               driver.ProgressMax());
  return done ? 0 : 1;
}

int AboutOpen(TVelbrookDriver& driver) {
  driver.ChooseLastSystemMenuEntry();
  const auto box = driver.WaitForDialog(kStepTimeoutMs);
  std::wprintf(box ? L"About box shown: \"%ls\"\n" : L"no About box\n", box ? box->Caption.c_str() : L"");
  return box ? 0 : 1;
}

int AboutClose(TVelbrookDriver& driver) {
  const auto box = driver.WaitForDialog(kStepTimeoutMs);
  if (!box) return 1;
  PrintList(L"About box texts", box->Texts);
  driver.Answer(*box, L"OK");
  return 0;
}

int Close(TVelbrookDriver& driver) {
  driver.Press(L"Close");
  const auto code = driver.WaitForExit(kStepTimeoutMs);
  std::wprintf(code ? L"Velbrook ended\n" : L"Velbrook did not end\n");
  return code ? 0 : 1;
}

// Moves this thread to the named desktop, where the program's windows are, waiting for the
// desktop to come up. The handle stays open for the process's life.
bool JoinDesktop(const wchar_t* name) {
  HDESK desktop = nullptr;
  WaitFor([&] { return (desktop = OpenDesktopW(name, 0, FALSE, GENERIC_ALL)) != nullptr; }, kStepTimeoutMs);
  return desktop && SetThreadDesktop(desktop);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const wchar_t* desktop = _wgetenv(L"VELBROOK_DESKTOP");
  if (desktop && !JoinDesktop(desktop)) {
    std::wprintf(L"desktop %ls did not appear\n", desktop);
    return 1;
  }
  const std::wstring step = argv[1];
  TVelbrookDriver driver;
  if (!driver.Attach(kStepTimeoutMs)) {
    std::wprintf(L"Velbrook's main window did not appear\n");
    return 1;
  }
  if (step == L"wait-main") return WaitMain(driver);
  if (step == L"prepare") return Prepare(driver, argc, argv);
  if (step == L"process" && argc > 2) return Process(driver, argv[2]);
  if (step == L"about-open") return AboutOpen(driver);
  if (step == L"about-close") return AboutClose(driver);
  if (step == L"close") return Close(driver);
  return 2;
}
