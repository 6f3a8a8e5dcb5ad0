#include "app/run_history.h"

#include <windows.h>

#include "base/errors.h"
#include "base/win_handles.h"
#include "platform/run_files.h"

namespace {

// The record as it stands; empty when it cannot be read.
std::string ReadRecord(const std::wstring& folder) {
  const TFileHandle file(::CreateFileW((folder + kRecordFileName).c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return {};
  std::string text;
  char buffer[65536];
  DWORD read = 0;
  while (::ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
  return text;
}

}  // namespace

std::optional<TUndoableRun> FindUndoableRun() {
  try {
    const std::wstring runs = RunsFolder();
    for (const TRunOnDisk& run : RunsNewestFirst(ListRuns(runs))) {
      TUndoableRun found{runs + run.Name + L"\\", ParseRunRecord(ReadRecord(runs + run.Name + L"\\"))};
      if (CanUndo(found.Record)) return found;
    }
  } catch (const Exception&) {
    // No Runs folder to be had: nothing to undo.
  }
  return std::nullopt;
}

TUndoOutcome UndoRun(const TUndoableRun& run) {
  const TUndoPlan plan = PlanUndo(run.Record, [](const std::wstring& path) -> std::optional<std::wstring> {
    try {
      return DigestOf(path).Sha256;
    } catch (const Exception&) {
      return std::nullopt;
    }
  });
  TUndoOutcome outcome;
  outcome.Skipped = plan.Skipped;
  for (const TRecordedFile* file : plan.Restore) {
    try {
      PutBack(run.Folder + file->BackupName, file->Path);
      ++outcome.PutBack;
    } catch (const Exception&) {
      outcome.Skipped.push_back(file->Path);
    }
  }
  TRecordFile(run.Folder + kRecordFileName)
      .Append(RecordUndoLine(RecordTimeText(LocalNow()), outcome.PutBack, outcome.Skipped));
  return outcome;
}
