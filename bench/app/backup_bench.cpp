// Times what backups and the run's record add to a run: N files (default 1,000) of 50 KB go
// through the four calls against the out-of-process stand-in, once bare and once with each
// file backed up first and its line (size, SHA-256) written after, as a run does. Prints both,
// their ratio, where the added time lands (each call's mean, and how long the run waited on
// the recorder). The runs it makes are removed again.
// Usage: backup_bench [files] [rounds]
#include <windows.h>

#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/batch_run.h"
#include "app/run_keeper.h"
#include "automation/norvalt_tlb.h"
#include "base/errors.h"
#include "base/win_handles.h"
#include "bench_timing.h"
#include "platform/run_files.h"

namespace {

// An NC program of about 50 KB.
std::string FiftyKilobytes() {
  std::string text;
  for (int block = 1; text.size() < 50 * 1024; ++block)
    text += "N" + std::to_string(block) + " G1 X" + std::to_string(block % 97) + ".5 Y12.25 F300 (CUT)\r\n";
  return text;
}

// Seconds spent in each of the four calls and in the recorder, summed over rounds.
struct TSpent {
  double Calls[4] = {};
  double Recorder = 0;
};

void TreatAll(TNorvalt& norvalt, const TRunPlan& plan, TRunKeeper* recorder, TSpent& spent) {
  const auto keep = [&](auto step) {
    if (recorder) spent.Recorder += Time(step);
  };
  norvalt.LoadScript(plan.Script);
  for (int i = 0; i < static_cast<int>(plan.Files.size()); ++i) {
    const std::wstring& path = plan.Files[static_cast<std::size_t>(i)];
    keep([&] { recorder->BackUp(i); });
    spent.Calls[0] += Time([&] { norvalt.OpenNcFile(path); });
    spent.Calls[1] += Time([&] { norvalt.ScriptStep1(); });
    spent.Calls[2] += Time([&] { norvalt.ScriptStep2(); });
    keep([&] { recorder->FileSaving(); });
    spent.Calls[3] += Time([&] { norvalt.SaveNcFileAs(path); });
    keep([&] { recorder->FileEnded(i, nullptr); });
  }
  keep([&] { recorder->Close(false); });
}

void PrintMeans(const wchar_t* kind, const TSpent& spent, int files) {
  const auto ms = [&](double seconds) { return seconds * 1000 / files; };
  std::wprintf(L"  %-9ls ms per file: open %.3f, step 1 %.3f, step 2 %.3f, save %.3f, recorder %.3f\n", kind,
               ms(spent.Calls[0]), ms(spent.Calls[1]), ms(spent.Calls[2]), ms(spent.Calls[3]), ms(spent.Recorder));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int files = argc > 1 ? _wtoi(argv[1]) : 1000;
  const int rounds = argc > 2 ? _wtoi(argv[2]) : 3;
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;

  const std::wstring folder = BenchFolder(L"velbrook_backup_bench");
  TRunPlan plan;
  plan.Script = folder + L".nvs";
  plan.Folder = folder;
  plan.Mask = L"*.*";
  WriteText(plan.Script, "step1 replace \"(CUT)\" \"\"\r\nstep2 renumber 10 10\r\n");
  const std::string content = FiftyKilobytes();
  for (int i = 0; i < files; ++i) {
    plan.Files.push_back(folder + L"\\P" + std::to_wstring(10000 + i) + L".NC");
    WriteText(plan.Files.back(), content);
  }

  int status = 0;
  try {
    const std::wstring runs = RunsFolder();
    const std::vector<TRunOnDisk> before = ListRuns(runs);
    TNorvalt norvalt(CoNorvaltx::Create());
    std::vector<double> bare, recorded;
    TSpent bareSpent, recordedSpent;
    for (int round = 0; round < rounds; ++round) {
      bare.push_back(Time([&] { TreatAll(norvalt, plan, nullptr, bareSpent); }));
      recorded.push_back(Time([&] {
        TRunKeeper recorder(plan);
        TreatAll(norvalt, plan, &recorder, recordedSpent);
      }));
    }
    for (const TRunOnDisk& run : ListRuns(runs))
      if (std::none_of(before.begin(), before.end(), [&](const TRunOnDisk& kept) { return kept.Name == run.Name; }))
        RemoveRun(runs, run.Name);
    const double bestBare = *std::min_element(bare.begin(), bare.end());
    const double bestRecorded = *std::min_element(recorded.begin(), recorded.end());
    std::wprintf(L"%d files of %zu bytes, best of %d rounds, out-of-process stand-in\n", files, content.size(), rounds);
    std::wprintf(L"  calls alone:              %8.1f ms  (%.3f ms per file)\n", bestBare * 1000,
                 bestBare * 1000 / files);
    std::wprintf(L"  with backups and record:  %8.1f ms  (%.3f ms per file)\n", bestRecorded * 1000,
                 bestRecorded * 1000 / files);
    std::wprintf(L"  ratio: %.3f\n", bestRecorded / bestBare);
    PrintMeans(L"bare", bareSpent, files * rounds);
    PrintMeans(L"recorded", recordedSpent, files * rounds);
  } catch (const Exception& e) {
    std::fwprintf(stderr, L"%ls\n", e.Message().c_str());
    status = 1;
  }
  CoUninitialize();
  return status;
}
