// Plays a user of Velbrook one step at a time, so that scripts/run can take screenshots
// between the steps. Each step finds the running program by its main window.
// With VELBROOK_DESKTOP set, it looks for the program on that Wine desktop (scripts/run
// starts Velbrook in a desktop window so that screenshots show window frames).
//   velbrook_demo wait-main
//   velbrook_demo prepare <script path> <index>...   type the script, select files
//   velbrook_demo process <trace file>               press "Process", wait for the end
//   velbrook_demo about-open | about-close
//   velbrook_demo close                              press "Close", wait for the end
//   velbrook_demo geometry main | dialog             the window's place on the screen, as
//                                                    WxH+X+Y for cutting it out of a screenshot
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>
#include <vector>

#include "standin_trace.h"
#include "velbrook_driver.h"

namespace {

constexpr unsigned kStepTimeoutMs = 60000;

// One line of output as UTF-8 with a plain line feed, whatever the console's code page:
// the demo's output goes to a terminal or log on the machine that runs Wine. Line breaks
// inside the program's texts show as " / ".
void PrintLine(std::wstring text) {
  for (std::size_t at; (at = text.find(L"\r\n")) != std::wstring::npos;) text.replace(at, 2, L" / ");
  text += L'\n';
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size, nullptr, nullptr);
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fflush(stdout);
}

void PrintList(const std::wstring& what, const std::vector<std::wstring>& entries) {
  std::wstring line = what + L":";
  for (const auto& entry : entries) line += L" [" + entry + L"]";
  PrintLine(line);
}

int WaitMain(TVelbrookDriver& driver) {
  PrintLine(L"main window shown; drive box: " + driver.DriveText() + L"; " + std::to_wstring(driver.FolderCount()) +
            L" folder entries, " + std::to_wstring(driver.FileCount()) + L" files");
  return 0;
}

int Prepare(TVelbrookDriver& driver, int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  driver.SetScriptPath(argv[2]);
  std::vector<int> indexes;
  for (int i = 3; i < argc; ++i) indexes.push_back(_wtoi(argv[i]));
  driver.SelectFiles(indexes);
  PrintLine(L"script: " + driver.ScriptPath() + L"; " + std::to_wstring(driver.SelectedFiles().size()) +
            L" files selected");
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
    PrintList(L"the program shows a dialog", dialog->Texts);
    return 1;
  }
  PrintLine(done ? std::to_wstring(selected) + L" files processed; progress bar back at 0 of " +
                       std::to_wstring(driver.ProgressMax())
                 : L"the run did not end in time");
  return done ? 0 : 1;
}

int AboutOpen(TVelbrookDriver& driver) {
  driver.ChooseSystemMenuEntryFromEnd(1);
  const auto box = driver.WaitForDialog(kStepTimeoutMs);
  PrintLine(box ? L"About box shown: \"" + box->Caption + L"\"" : L"no About box");
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
  PrintLine(code ? L"Velbrook ended" : L"Velbrook did not end");
  return code ? 0 : 1;
}

int Geometry(TVelbrookDriver& driver, const std::wstring& which) {
  HWND window = driver.MainWindow();
  if (which == L"dialog") {
    const auto dialog = driver.WaitForDialog(kStepTimeoutMs);
    if (!dialog) return 1;
    window = dialog->Window;
  }
  RECT r{};
  GetWindowRect(window, &r);
  PrintLine(std::to_wstring(r.right - r.left) + L"x" + std::to_wstring(r.bottom - r.top) + L"+" +
            std::to_wstring(r.left) + L"+" + std::to_wstring(r.top));
  return 0;
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
  _setmode(_fileno(stdout), _O_BINARY);  // line ends as written
  const wchar_t* desktop = _wgetenv(L"VELBROOK_DESKTOP");
  if (desktop && !JoinDesktop(desktop)) {
    PrintLine(L"desktop " + std::wstring(desktop) + L" did not appear");
    return 1;
  }
  const std::wstring step = argv[1];
  TVelbrookDriver driver;
  if (!driver.Attach(kStepTimeoutMs)) {
    PrintLine(L"Velbrook's main window did not appear");
    return 1;
  }
  if (step == L"wait-main") return WaitMain(driver);
  if (step == L"prepare") return Prepare(driver, argc, argv);
  if (step == L"process" && argc > 2) return Process(driver, argv[2]);
  if (step == L"about-open") return AboutOpen(driver);
  if (step == L"about-close") return AboutClose(driver);
  if (step == L"close") return Close(driver);
  if (step == L"geometry" && argc > 2) return Geometry(driver, argv[2]);
  return 2;
}
