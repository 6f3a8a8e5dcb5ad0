#include "app/undo_plan.h"

#include <algorithm>

#include "app/run_names.h"

namespace {

bool IsUndoable(const TFileEntry& file) { return !file.BackupName.empty() && !file.HashAfter.empty(); }

// Absolute on a drive letter, local or mapped; a UNC path or a relative one is not the run's.
bool IsDrivePath(const std::wstring& path) {
  const bool letter = !path.empty() && ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
  return letter && path.size() > 3 && path[1] == L':' && path[2] == L'\\';
}

bool IsSound(const std::wstring& path, const std::wstring& backupName) {
  return IsDrivePath(path) && IsPlainBackupName(backupName);
}

// The Handed line of a file's backup, if the record has one.
const THandedFile* HandedOf(const TRecordedRun& record, const std::wstring& backupName) {
  const auto found = std::find_if(record.Handed.begin(), record.Handed.end(),
                                  [&](const THandedFile& handed) { return handed.BackupName == backupName; });
  return found == record.Handed.end() ? nullptr : &*found;
}

bool HasOutcome(const TRecordedRun& record, const THandedFile& handed) {
  return std::any_of(record.Files.begin(), record.Files.end(),
                     [&](const TFileEntry& file) { return file.BackupName == handed.BackupName; });
}

void PlanRecordedFile(const TRecordedRun& record, const TFileEntry& file, const THashOf& currentHash, TUndoPlan& plan) {
  if (!IsSound(file.Path, file.BackupName)) {
    plan.Damaged.push_back(file.Path);
    return;
  }
  const std::optional<std::wstring> now = currentHash(file.Path);
  const THandedFile* handed = HandedOf(record, file.BackupName);
  if (now == file.HashAfter)
    plan.Restore.push_back(&file);
  else if (!(handed && now == handed->BackupHash))
    plan.Changed.push_back(file.Path);
}

// Handed files without an outcome: as their backup, or unknown; the sound ones only.
void PlanHandedFiles(const TRecordedRun& record, const THashOf& currentHash, TUndoPlan* plan,
                     std::vector<TUnknownOutcome>& unknown) {
  for (const THandedFile& handed : record.Handed) {
    if (HasOutcome(record, handed)) continue;
    if (!IsSound(handed.Path, handed.BackupName)) {
      if (plan) plan->Damaged.push_back(handed.Path);
      continue;
    }
    if (currentHash(handed.Path) != handed.BackupHash)
      unknown.push_back({handed.Path, handed.BackupName});
    else if (plan)
      plan->Unchanged.push_back(handed.Path);
  }
}

bool HasHandedWithoutOutcome(const TRecordedRun& record) {
  return std::any_of(record.Handed.begin(), record.Handed.end(),
                     [&](const THandedFile& handed) { return !HasOutcome(record, handed); });
}

}  // namespace

TUndoPlan PlanUndo(const TRecordedRun& record, const THashOf& currentHash) {
  TUndoPlan plan;
  for (const TFileEntry& file : record.Files)
    if (IsUndoable(file)) PlanRecordedFile(record, file, currentHash, plan);
  PlanHandedFiles(record, currentHash, &plan, plan.Unknown);
  return plan;
}

std::vector<TUnknownOutcome> UnknownOutcomes(const TRecordedRun& record, const THashOf& currentHash) {
  std::vector<TUnknownOutcome> unknown;
  PlanHandedFiles(record, currentHash, nullptr, unknown);
  return unknown;
}

int UndoableCount(const TRecordedRun& record) {
  return static_cast<int>(std::count_if(record.Files.begin(), record.Files.end(), IsUndoable));
}

bool CanUndo(const TRecordedRun& record) {
  return record.Undone.empty() && (UndoableCount(record) > 0 || HasHandedWithoutOutcome(record));
}

std::optional<TOfferedRun> NewestUndoable(const std::vector<TRunOnDisk>& newestFirst,
                                          const std::function<TRecordedRun(const std::wstring& name)>& read) {
  for (const TRunOnDisk& run : newestFirst) {
    TRecordedRun record = read(run.Name);
    if (CanUndo(record)) return TOfferedRun{run.Name, std::move(record)};
  }
  return std::nullopt;
}
