#include "app/run_outcome.h"

#include "app/command_line.h"
#include "app/run_texts.h"
#include "filelists/paths.h"

namespace {

// The file list's entry of the run's file at index, or -1 when the list shows other files now.
int ListedEntry(const TRunFiles& files, int index, IBatchWindow& window) {
  const std::size_t i = static_cast<std::size_t>(index);
  const int entry = files.Entries[i];
  const bool same = entry < window.EntryCount() && JoinPath(window.Folder(), window.EntryText(entry)) == files.Paths[i];
  return same ? entry : -1;
}

void SelectOnlyFailed(const std::vector<TFileFailure>& failed, const TRunFiles& files, IBatchWindow& window) {
  std::vector<int> entries;
  for (const TFileFailure& failure : failed)
    if (const int entry = ListedEntry(files, failure.Index, window); entry >= 0) entries.push_back(entry);
  window.SelectOnlyEntries(entries);
}

std::wstring FailureSummaryOf(const TWalkResult& walk, const TRunFiles& files) {
  std::vector<std::pair<std::wstring, std::wstring>> failed;
  for (const TFileFailure& failure : walk.Failed)
    failed.emplace_back(files.Paths[static_cast<std::size_t>(failure.Index)], failure.Error);
  return FailureSummary(walk.Treated, static_cast<int>(files.Paths.size()), failed);
}

// A backup that failed is the run's own business, told as a plain message.
void ReportError(const std::exception_ptr& error, IBatchWindow& window) {
  try {
    std::rethrow_exception(error);
  } catch (const EBackupFailed& e) {
    window.ShowMessage(L"Velbrook", e.Message());
  } catch (...) {
    window.ReportError(error);
  }
}

void ShowFailure(const TRunEnd& end, bool tellUser, const TRunFiles& files, TRunDisplay& display,
                 IBatchWindow& window) {
  const bool abort = IsAbort(end.Error);
  display.Failed(abort);
  if (!abort && end.LastFile >= 0)
    if (const int entry = ListedEntry(files, end.LastFile, window); entry >= 0) window.FocusEntry(entry);
  if (tellUser) ReportError(end.Error, window);
}

}  // namespace

int RunExitCode(const TRunEnd& end) {
  if (end.GivenUp) return end.LimitPassed ? ecSomeFailed : ecStopped;
  if (end.Error) return IsAbort(end.Error) ? ecStopped : ecSomeFailed;
  if (end.Stopped) return ecStopped;
  return end.Walk.Failed.empty() ? ecTreated : ecSomeFailed;
}

int ShowRunEnd(const TRunEnd& end, TAfterRun after, const TRunFiles& files, TRunDisplay& display,
               IBatchWindow& window) {
  if (end.GivenUp) {
    // How many files were treated is the worker's to know; the message names the file instead.
    display.StoppedSilently();
    const std::wstring path = end.LastFile >= 0 ? files.Paths[static_cast<std::size_t>(end.LastFile)] : L"the start";
    if (after == TAfterRun::Nothing)
      window.ShowMessage(L"Velbrook", end.LimitPassed ? LeftRunningText(path, *end.LimitPassed) : UnansweredText(path));
    return RunExitCode(end);
  }
  // The progress shown may lag behind a fast run; a failure shows where it happened.
  if (end.LastFile >= 0) display.FileStarting(end.LastFile);
  // A session that ends waits for no box.
  const bool tellUser = after != TAfterRun::EndSession;
  if (end.Error)
    ShowFailure(end, tellUser, files, display, window);
  else if (!end.Stopped)
    display.Completed();
  else if (after == TAfterRun::Nothing)
    display.Stopped(end.Walk.Treated);
  else
    display.StoppedSilently();
  if (!end.Walk.Failed.empty()) {
    SelectOnlyFailed(end.Walk.Failed, files, window);
    if (tellUser) window.ShowMessage(L"Velbrook", FailureSummaryOf(end.Walk, files));
  }
  return RunExitCode(end);
}
