#include "app/undo_run.h"

#include "base/errors.h"

namespace {

// Puts one file back, unless it changed since the first look.
void PutBackIfUnchanged(const TUndoableRun& run, const TFileEntry& file, IRunStore& store, TUndoOutcome& outcome) {
  if (store.HashOrNone(file.Path) != file.HashAfter) {
    outcome.Changed.push_back(file.Path);
    return;
  }
  try {
    store.PutBack(run.Folder + file.BackupName, file.Path);
    ++outcome.PutBack;
  } catch (const Exception& e) {
    outcome.NotWritten.emplace_back(file.Path, e.Message());
  }
}

void Record(const TUndoableRun& run, IRunStore& store, TUndoOutcome& outcome) {
  const std::wstring now = RecordTimeText(store.Now());
  std::vector<std::wstring> skipped = outcome.Changed;
  for (const auto& [path, reason] : outcome.NotWritten) skipped.push_back(path);
  for (const auto& [path, backup] : outcome.Unknown) skipped.push_back(path);
  try {
    store.OpenRecord(run.Folder + kRecordFileName)
        ->Append(outcome.Stopped ? RecordUndoStoppedLine(now, outcome.PutBack, outcome.Left)
                                 : RecordUndoLine(now, outcome.PutBack, skipped));
  } catch (const Exception& e) {
    outcome.RecordError = e.Message();
  }
}

}  // namespace

std::vector<std::pair<std::wstring, std::wstring>> UnknownOutcomesOf(const TUndoableRun& run, IRunStore& store) {
  std::vector<std::pair<std::wstring, std::wstring>> named;
  for (const TUnknownOutcome& unknown :
       UnknownOutcomes(run.Record, [&](const std::wstring& path) { return store.HashOrNone(path); }))
    named.emplace_back(unknown.Path, run.Folder + unknown.BackupName);
  return named;
}

TUndoOutcome UndoRecordedRun(const TUndoableRun& run, IRunStore& store, const TUndoProgress& progress) {
  const TUndoPlan plan = PlanUndo(run.Record, [&](const std::wstring& path) { return store.HashOrNone(path); });
  TUndoOutcome outcome;
  outcome.Changed = plan.Changed;
  outcome.Unchanged = plan.Unchanged;
  outcome.Damaged = plan.Damaged;
  for (const TUnknownOutcome& unknown : plan.Unknown)
    outcome.Unknown.emplace_back(unknown.Path, run.Folder + unknown.BackupName);
  const int total = static_cast<int>(plan.Restore.size());
  for (int done = 0; done < total; ++done) {
    if (progress.StopRequested && progress.StopRequested()) {
      outcome.Stopped = true;
      outcome.Left = total - done;
      break;
    }
    PutBackIfUnchanged(run, *plan.Restore[static_cast<std::size_t>(done)], store, outcome);
    if (progress.FileDone) progress.FileDone(done + 1, total);
  }
  Record(run, store, outcome);
  return outcome;
}
