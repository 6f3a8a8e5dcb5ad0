#include "app/run_keeper.h"

#include "app/run_names.h"
#include "app/run_pruning.h"
#include "app/run_record_format.h"
#include "app/undo_plan.h"
#include "base/file_names.h"

TRunKeeper::TRunKeeper(const TRunPlan& plan, IRunStore& store) : FPlan(plan), FStore(store) {}

TRunKeeper::~TRunKeeper() = default;

void TRunKeeper::open_run(int index) {
  std::wstring runs;
  std::uint64_t number = 0;
  try {
    runs = FStore.RunsFolder();
    number = NextRunNumber(FStore.ListRuns(runs));
  } catch (const Exception& e) {
    throw EBackupFailed(L"No file was changed: the run's record cannot be kept. " + e.Message());
  }
  make_folder(runs, number);
  try {
    FBackup = take_backup(index, {});
  } catch (const Exception& e) {
    remove_empty_run(runs);
    throw EBackupFailed(backup_failure_text(index, e));
  }
  try {
    start_record(number);
  } catch (const Exception& e) {
    remove_empty_run(runs);
    throw EBackupFailed(L"No file was changed: the run's record cannot be kept. " + e.Message());
  }
  remove_old_runs(runs);
}

void TRunKeeper::make_folder(const std::wstring& runs, std::uint64_t number) {
  const TLocalTime start = FStore.Now();
  std::wstring folder;
  try {
    // A folder of that number exists only when another program made it: the next number.
    do folder = runs + RunFolderName(start, number++) + L"\\";
    while (!FStore.MakeFolder(folder));
  } catch (const Exception&) {
    throw EBackupFailed(L"Can't make the folder for this run's backups, " + folder);
  }
  FFolder = folder;
}

// Nothing was handed to Norvalt: the attempt leaves no folder behind.
void TRunKeeper::remove_empty_run(const std::wstring& runs) {
  const std::wstring name = FFolder.substr(runs.size(), FFolder.size() - runs.size() - 1);
  FFolder.clear();
  FRecord.reset();
  FBackup = {};
  try {
    FStore.RemoveRun(runs, name);
  } catch (const Exception&) {
    // Left behind without a record: it is never offered, and old runs' removal takes it.
  }
}

std::wstring TRunKeeper::backup_failure_text(int index, const Exception& e) const {
  const std::wstring& path = FPlan.Files[static_cast<std::size_t>(index)];
  // The file system's words name the file as well: the message names it once.
  std::wstring reason = e.Message();
  const std::wstring named = L"Could not back up " + path + L": ";
  if (reason.starts_with(named)) reason.erase(0, named.size());
  return L"Can't back up " + path + L", so it was left as it was: " + reason;
}

void TRunKeeper::start_record(std::uint64_t number) {
  FRecord = FStore.OpenRecord(FFolder + kRecordFileName);
  TRecordedRun head;
  head.Started = RecordTimeText(FStore.Now());
  head.Number = number;
  head.Script = FPlan.Script;
  head.Folder = FPlan.Folder;
  head.Mask = FPlan.Mask;
  FRecord->Append(RecordHeaderText(head));
}

// Makes room for the new run: old runs beyond those kept go, but not the newest one that can
// still be undone. A run that cannot be removed now stays until a later run; it must not
// keep this one from starting.
void TRunKeeper::remove_old_runs(const std::wstring& runs) {
  try {
    const std::vector<TRunOnDisk> listed = RunsNewestFirst(FStore.ListRuns(runs));
    const std::optional<TOfferedRun> undoable = NewestUndoable(
        listed, [&](const std::wstring& name) { return ParseRunRecord(FStore.ReadRecord(runs + name + L"\\")); });
    for (const std::wstring& name : RunsToRemove(listed, 20, 1ull << 30, undoable ? undoable->Name : L"")) {
      try {
        FStore.RemoveRun(runs, name);
      } catch (const Exception&) {
        // Left for a later run to remove.
      }
    }
  } catch (const Exception&) {
    // The Runs folder cannot be listed now: old runs stay until a later run.
  }
}

TRunKeeper::TBackup TRunKeeper::take_backup(int index, std::wstring name) {
  const std::wstring& path = FPlan.Files[static_cast<std::size_t>(index)];
  TBackup backup;
  if (name.empty()) {
    name = BackupName(FileNameOf(path), [&](const std::wstring& taken) { return FBackupNames.count(taken) != 0; });
    FBackupNames.insert(name);
  }
  backup.Name = std::move(name);
  backup.Source = FStore.CopyForBackup(path, FFolder + backup.Name);
  backup.Hash = FStore.DigestOf(FFolder + backup.Name).Sha256;
  return backup;
}

void TRunKeeper::start_next_backup(int index) {
  if (index >= static_cast<int>(FPlan.Files.size())) return;
  FNextBackup = FKeeper.Post([this, index] { return take_backup(index, {}); });
}

TRunKeeper::TBackup TRunKeeper::fresh_backup(int index) {
  if (!FNextBackup.valid()) start_next_backup(index);
  TBackup backup = FNextBackup.get();
  // Taken a file earlier: a file written since then is copied again, so that the backup
  // holds what Norvalt is handed.
  if (!(FStore.StampOf(FPlan.Files[static_cast<std::size_t>(index)]) == backup.Source)) {
    FStore.RemoveBackup(FFolder + backup.Name);
    backup = take_backup(index, backup.Name);
  }
  return backup;
}

void TRunKeeper::BackUp(int index) {
  if (FFolder.empty()) {
    open_run(index);
  } else {
    try {
      FBackup = fresh_backup(index);
    } catch (const Exception& e) {
      fail_backup(index, e);
    }
  }
  try {
    hand_over(index);
  } catch (const Exception& e) {
    fail_backup(index, e);
  }
  start_next_backup(index + 1);
}

void TRunKeeper::fail_backup(int index, const Exception& e) {
  const std::wstring text = backup_failure_text(index, e);
  if (!FBackup.Name.empty()) discard(FBackup.Name);
  FBackup = {};
  record(index, &text);
  throw EBackupFailed(text);
}

// The Handed line, after the lines of the files before, is on the disk before Norvalt is
// handed the file.
void TRunKeeper::hand_over(int index) {
  THandedFile handed{FPlan.Files[static_cast<std::size_t>(index)], FBackup.Name, FBackup.Hash};
  settle_line();
  FKeeper.Post([this, handed] { FRecord->Append(RecordHandedLine(handed)); }).get();
}

void TRunKeeper::FileSaving() { settle_line(); }

void TRunKeeper::FileEnded(int index, const std::wstring* error) { record(index, error); }

void TRunKeeper::settle_line() {
  if (FLineUnderWay.valid()) FLineUnderWay.get();
}

void TRunKeeper::record(int index, const std::wstring* error) {
  settle_line();
  TFileEntry file;
  file.Path = FPlan.Files[static_cast<std::size_t>(index)];
  file.Outcome = error ? TFileOutcome::Failed : TFileOutcome::Treated;
  if (error) file.Error = *error;
  if (!FBackup.Name.empty()) {
    file.BackupName = FBackup.Name;
    file.SizeBefore = FBackup.Source.Size;
  }
  const std::wstring backupHash = FBackup.Hash;
  FBackup = {};
  FRecorded = index + 1;
  FLineUnderWay = FKeeper.Post([this, file = std::move(file), backupHash]() mutable {
    if (file.Outcome == TFileOutcome::Failed && !file.BackupName.empty()) put_back_if_changed(file, backupHash);
    if (!file.BackupName.empty()) {
      // What Norvalt left, so that Undo can tell whether the file changed since.
      try {
        const TFileDigest after = FStore.DigestOf(file.Path);
        file.SizeAfter = after.Size;
        file.HashAfter = after.Sha256;
      } catch (const Exception&) {
        file.SizeAfter.reset();
      }
    }
    FRecord->Append(RecordFileLine(file));
  });
}

// A file that failed is left as it was before the run: Norvalt may have written it before its
// call was cut off (a time limit, a Norvalt ended or given up), or saved part of it.
void TRunKeeper::put_back_if_changed(TFileEntry& file, const std::wstring& backupHash) {
  try {
    if (FStore.HashOrNone(file.Path) == backupHash) return;
    FStore.PutBack(FFolder + file.BackupName, file.Path);
    file.Error += L"; put back as it was";
  } catch (const Exception& e) {
    file.Error += L"; could not be put back: " + e.Message();
  }
}

// A backup of a file that Norvalt was not handed is no backup of the run's.
void TRunKeeper::discard(const std::wstring& backupName) {
  try {
    FStore.RemoveBackup(FFolder + backupName);
  } catch (const Exception&) {
    // Left for the run's removal.
  }
}

void TRunKeeper::discard_next_backup() {
  if (!FNextBackup.valid()) return;
  try {
    discard(FNextBackup.get().Name);
  } catch (const Exception&) {
    // It was never taken.
  }
}

void TRunKeeper::Close(bool stopped) {
  // A run that never took a backup has no folder and no record.
  if (!FRecord) return;
  discard_next_backup();
  settle_line();
  for (int index = FRecorded; index < static_cast<int>(FPlan.Files.size()); ++index) {
    TFileEntry file;
    file.Path = FPlan.Files[static_cast<std::size_t>(index)];
    file.Outcome = stopped ? TFileOutcome::Stopped : TFileOutcome::NotReached;
    FRecord->Append(RecordFileLine(file));
  }
  FRecord->Append(RecordEndLine(RecordTimeText(FStore.Now())));
}
