// Times a run of N files (default 1,000) through the real program's window (press Process,
// the worker thread, the progress bar and the taskbar, until the button reads Process
// again), against a bare loop of the same calls through the interface, on the same files and
// the same out-of-process stand-in. Prints both and their ratio.
// Usage: run_bench [path\to\Velbrook.exe] [files] [rounds]
// The stand-in must be registered; its settings file is set for the run and put back after.
#include <windows.h>

#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "automation/norvalt_tlb.h"
#include "automation/ole_owned.h"
#include "base/errors.h"
#include "base/win_handles.h"
#include "bench_timing.h"
#include "velbrook_driver.h"

namespace {

std::string ReadText(const std::wstring& path) {
  TFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  std::string text(static_cast<std::size_t>(file ? GetFileSize(file.Get(), nullptr) : 0), '\0');
  DWORD read = 0;
  if (file) ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
  return text;
}

std::string Utf8(const std::wstring& text) {
  std::string utf8(static_cast<std::size_t>(text.size() * 3), '\0');
  utf8.resize(
      static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(),
                                                   static_cast<int>(utf8.size()), nullptr, nullptr)));
  return utf8;
}

void RunAndWait(std::wstring commandLine) {
  STARTUPINFOW startup{sizeof(startup)};
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return;
  TKernelHandle process(info.hProcess), thread(info.hThread);
  WaitForSingleObject(process.Get(), 20000);
}

// Presses Process and waits until the run has ended and the button reads Process again.
void RunThroughTheWindow(TVelbrookDriver& driver) {
  driver.Press(L"Process");
  while (!driver.FindControl(L"Button", L"Stop")) Sleep(5);
  while (!driver.FindControl(L"Button", L"Process")) Sleep(20);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  wchar_t module[MAX_PATH];
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::wstring programFolder = module;
  for (int up = 0; up < 3; ++up) programFolder.erase(programFolder.find_last_of(L'\\'));  // build\win\bench\app
  const std::wstring exe = argc > 1 ? argv[1] : programFolder + L"\\Velbrook.exe";
  programFolder = exe.substr(0, exe.find_last_of(L'\\'));
  const int files = argc > 2 ? _wtoi(argv[2]) : 1000;
  const int rounds = argc > 3 ? _wtoi(argv[3]) : 3;
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;

  const std::wstring folder = BenchFolder(L"velbrook_run_bench");
  const std::wstring script = folder + L".nvs";  // beside the folder, so that it is not listed
  WriteText(script, "step1 replace \"G0 \" \"G00 \"\r\nstep2 renumber 10 10\r\n");
  for (int i = 0; i < files; ++i)
    WriteText(folder + L"\\P" + std::to_wstring(10000 + i) + L".NC", "N1 G0 X0\r\nN2 G1 X5 F100\r\nN3 M30\r\n");

  // The stand-in opens at the bench's folder; a server still running would not read that.
  const std::wstring standIn = programFolder + L"\\NorvaltStandIn.exe";
  const std::wstring settings = programFolder + L"\\NorvaltStandIn.ini";
  const std::string keptSettings = ReadText(settings);
  RunAndWait(L"\"" + standIn + L"\" /Shutdown");
  WriteText(settings, "folder \"" + Utf8(folder) + "\\\"\r\n");

  int status = 0;
  try {
    TVelbrookDriver driver;
    if (!driver.Start(exe)) throw Exception(L"Velbrook did not start");
    if (!WaitFor([&] { return driver.FileCount() == files; }, 60000))
      throw Exception(L"Velbrook does not list the bench's files");
    driver.SetScriptPath(script);
    driver.Press(L"Select All");
    if (!WaitFor([&] { return static_cast<int>(driver.SelectedFiles().size()) == files; }, 10000))
      throw Exception(L"Select All did not select the files");
    std::vector<std::wstring> paths;
    for (int i = 0; i < files; ++i) paths.push_back(folder + L"\\P" + std::to_wstring(10000 + i) + L".NC");

    Microsoft::WRL::ComPtr<INorvaltx> raw = CoNorvaltx::Create();
    std::vector<double> window, bare;
    for (int round = 0; round < rounds; ++round) {
      window.push_back(Time([&] { RunThroughTheWindow(driver); }));
      bare.push_back(Time([&] {
        LONG result = 0;
        raw->LoadScript(MakeBstr(script).Get(), &result);
        for (const auto& path : paths) {
          const TBstr name = MakeBstr(path);
          raw->OpenNcFile(name.Get(), &result);
          raw->ScriptStep1();
          raw->ScriptStep2();
          raw->SaveNcFileAs(name.Get(), &result);
        }
      }));
    }
    const double bestWindow = *std::min_element(window.begin(), window.end());
    const double bestBare = *std::min_element(bare.begin(), bare.end());
    std::wprintf(L"%d files, best of %d rounds, out-of-process stand-in\n", files, rounds);
    std::wprintf(L"  run through the window: %8.1f ms  (%.3f ms per file)\n", bestWindow * 1000,
                 bestWindow * 1000 / (files));
    std::wprintf(L"  bare calls:             %8.1f ms  (%.3f ms per file)\n", bestBare * 1000,
                 bestBare * 1000 / (files));
    std::wprintf(L"  ratio window / bare calls: %.3f\n", bestWindow / bestBare);
    // Closed from the title bar, which leaves the user's settings file as it was.
    driver.SystemCommand(SC_CLOSE);
    driver.WaitForExit(20000);
  } catch (const Exception& e) {
    std::fwprintf(stderr, L"%ls\n", e.Message().c_str());
    status = 1;
  }
  if (keptSettings.empty())
    DeleteFileW(settings.c_str());
  else
    WriteText(settings, keptSettings);
  RunAndWait(L"\"" + standIn + L"\" /Shutdown");
  CoUninitialize();
  return status;
}
