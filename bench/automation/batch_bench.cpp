// Times a batch run of N files (default 1,000) through the program's batch loop against the
// out-of-process stand-in, and a bare loop of the same four calls per file through the
// interface, in the same run on the same files. Prints both and their ratio.
// Usage: batch_bench [files] [rounds]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/batch_run.h"
#include "app/norvalt_processor.h"
#include "automation/ole_owned.h"
#include "base/errors.h"
#include "base/win_handles.h"

namespace {

// The window as the batch run sees it, without a screen: every entry selected.
class TBenchWindow : public IBatchWindow {
 public:
  TBenchWindow(std::wstring folder, std::wstring script, std::vector<std::wstring> names)
      : FFolder(std::move(folder)), FScript(std::move(script)), FNames(std::move(names)) {}
  std::wstring ScriptPath() override { return FScript; }
  int SelCount() override { return static_cast<int>(FNames.size()); }
  int EntryCount() override { return static_cast<int>(FNames.size()); }
  bool EntrySelected(int) override { return true; }
  std::wstring EntryText(int index) override { return FNames[static_cast<std::size_t>(index)]; }
  std::wstring Folder() override { return FFolder; }
  bool ScriptFileExists(const std::wstring&) override { return true; }
  void SetProgressMax(int) override {}
  void SetProgressPosition(int) override {}
  void ShowMessage(const std::wstring&, const std::wstring&) override {}
  ITaskbarButton& TaskbarButton() override { return FTaskbar; }

 private:
  // The run's own cost is measured; the taskbar is the shell's.
  struct TNoTaskbar : ITaskbarButton {
    void ShowProgress(int, int) override {}
    void ShowFailure() override {}
    void FlashUnlessInFront() override {}
  } FTaskbar;
  std::wstring FFolder, FScript;
  std::vector<std::wstring> FNames;
};

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename F>
double Time(F&& run) {
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  run();
  QueryPerformanceCounter(&end);
  return Seconds(start, end);
}

void WriteText(const std::wstring& path, const std::string& text) {
  TFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int files = argc > 1 ? _wtoi(argv[1]) : 1000;
  const int rounds = argc > 2 ? _wtoi(argv[2]) : 3;
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;

  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"velbrook_batch_bench";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring script = folder + L"\\bench.nvs";
  WriteText(script, "step1 replace \"G0 \" \"G00 \"\r\nstep2 renumber 10 10\r\n");
  std::vector<std::wstring> names;
  for (int i = 0; i < files; ++i) {
    names.push_back(L"P" + std::to_wstring(10000 + i) + L".NC");
    WriteText(folder + L"\\" + names.back(), "N1 G0 X0\r\nN2 G1 X5 F100\r\nN3 M30\r\n");
  }

  try {
    TNorvalt norvalt(CoNorvaltx::Create());
    Microsoft::WRL::ComPtr<INorvaltx> raw = CoNorvaltx::Create();
    std::vector<double> loop, bare;
    for (int round = 0; round < rounds; ++round) {
      loop.push_back(Time([&] {
        TBenchWindow window(folder, script, names);
        TNorvaltProcessor processor(norvalt);
        struct : IRunProgress {
          void FileStarting(int) override {}
          bool StopRequested() override { return false; }
        } progress;
        TreatFiles(*PlanRun(window), processor, progress);
      }));
      bare.push_back(Time([&] {
        LONG result = 0;
        raw->LoadScript(MakeBstr(script).Get(), &result);
        for (const auto& name : names) {
          const TBstr path = MakeBstr(folder + L"\\" + name);
          raw->OpenNcFile(path.Get(), &result);
          raw->ScriptStep1();
          raw->ScriptStep2();
          raw->SaveNcFileAs(path.Get(), &result);
        }
      }));
    }
    const double bestLoop = *std::min_element(loop.begin(), loop.end());
    const double bestBare = *std::min_element(bare.begin(), bare.end());
    std::wprintf(L"%d files, best of %d rounds, out-of-process stand-in\n", files, rounds);
    std::wprintf(L"  batch run:  %8.1f ms  (%.3f ms per file)\n", bestLoop * 1000, bestLoop * 1000 / files);
    std::wprintf(L"  bare calls: %8.1f ms  (%.3f ms per file)\n", bestBare * 1000, bestBare * 1000 / files);
    std::wprintf(L"  ratio batch run / bare calls: %.3f\n", bestLoop / bestBare);
  } catch (const Exception& e) {
    std::fwprintf(stderr, L"%ls\n", e.Message().c_str());
    return 1;
  }
  CoUninitialize();
  return 0;
}
