#include "app/run_recorder.h"

#include <windows.h>

#include "app/run_record.h"
#include "base/file_names.h"

namespace {

// Makes room for a new run: old runs beyond those kept go. A run that cannot be removed now
// stays until a later run; it must not keep this one from starting.
void RemoveOldRuns(const std::wstring& runs) {
  for (const std::wstring& name : RunsToRemove(RunsNewestFirst(ListRuns(runs)))) {
    try {
      RemoveRun(runs, name);
    } catch (const Exception&) {
      // Left for a later run to remove.
    }
  }
}

std::wstring MakeRunFolder(const std::wstring& runs) {
  const std::wstring name = NewRunFolderName(LocalNow(), [&](const std::wstring& taken) {
    return ::GetFileAttributesW((runs + taken).c_str()) != INVALID_FILE_ATTRIBUTES;
  });
  const std::wstring folder = runs + name + L"\\";
  if (!::CreateDirectoryW(folder.c_str(), nullptr))
    throw EBackupFailed(L"Can't make the folder for this run's backups, " + folder);
  return folder;
}

}  // namespace

TRunRecorder::TRunRecorder(const TRunPlan& plan) : FPlan(plan) {
  try {
    const std::wstring runs = RunsFolder();
    FFolder = MakeRunFolder(runs);
    RemoveOldRuns(runs);
    FRecord = std::make_unique<TRecordFile>(FFolder + kRecordFileName);
    TRunRecord head;
    head.Started = RecordTimeText(LocalNow());
    head.Script = plan.Script;
    head.Folder = plan.Folder;
    head.Mask = plan.Mask;
    FRecord->Append(RecordHeaderText(head));
  } catch (const EBackupFailed&) {
    throw;
  } catch (const Exception& e) {
    throw EBackupFailed(L"No file was changed: the run's record cannot be kept. " + e.Message());
  }
}

TRunRecorder::~TRunRecorder() = default;

TRunRecorder::TBackup TRunRecorder::take_backup(int index, std::wstring name) {
  const std::wstring& path = FPlan.Files[static_cast<std::size_t>(index)];
  TBackup backup;
  if (name.empty()) {
    name = BackupName(FileNameOf(path), [&](const std::wstring& taken) { return FBackupNames.count(taken) != 0; });
    FBackupNames.insert(name);
  }
  backup.Name = std::move(name);
  backup.Source = CopyForBackup(path, FFolder + backup.Name);
  return backup;
}

void TRunRecorder::start_next_backup(int index) {
  if (index >= static_cast<int>(FPlan.Files.size())) return;
  FNextBackup = FKeeper.Post([this, index] { return take_backup(index, {}); });
}

void TRunRecorder::BackUp(int index) {
  const std::wstring& path = FPlan.Files[static_cast<std::size_t>(index)];
  try {
    if (!FNextBackup.valid()) start_next_backup(index);
    FBackup = FNextBackup.get();
    // Taken a file earlier: a file written since then is copied again, so that the backup
    // holds what Norvalt is handed.
    if (!(FileStampOf(path) == FBackup.Source)) {
      RemoveBackup(FFolder + FBackup.Name);
      FBackup = take_backup(index, FBackup.Name);
    }
  } catch (const Exception& e) {
    const std::wstring text = L"Can't back up " + path + L", so it was left as it was: " + e.Message();
    if (!FBackup.Name.empty()) discard(FBackup.Name);
    FBackup = {};
    record(index, &text);
    throw EBackupFailed(text);
  }
  start_next_backup(index + 1);
}

void TRunRecorder::FileSaving() { settle_line(); }

void TRunRecorder::FileEnded(int index, const std::wstring* error) { record(index, error); }

void TRunRecorder::settle_line() {
  if (FLineUnderWay.valid()) FLineUnderWay.get();
}

void TRunRecorder::record(int index, const std::wstring* error) {
  settle_line();
  TRecordedFile file;
  file.Path = FPlan.Files[static_cast<std::size_t>(index)];
  file.Outcome = error ? TFileOutcome::Failed : TFileOutcome::Treated;
  if (error) file.Error = *error;
  if (!FBackup.Name.empty()) {
    file.BackupName = FBackup.Name;
    file.SizeBefore = FBackup.Source.Size;
  }
  FBackup = {};
  FRecorded = index + 1;
  FLineUnderWay = FKeeper.Post([this, file = std::move(file)]() mutable {
    if (!file.BackupName.empty()) {
      // What Norvalt left, so that Undo can tell whether the file changed since.
      try {
        const TFileDigest after = DigestOf(file.Path);
        file.SizeAfter = after.Size;
        file.HashAfter = after.Sha256;
      } catch (const Exception&) {
        file.SizeAfter.reset();
      }
    }
    FRecord->Append(RecordFileLine(file));
  });
}

// A backup of a file that Norvalt was not handed is no backup of the run's.
void TRunRecorder::discard(const std::wstring& backupName) {
  try {
    RemoveBackup(FFolder + backupName);
  } catch (const Exception&) {
    // Left for the run's removal.
  }
}

void TRunRecorder::discard_next_backup() {
  if (!FNextBackup.valid()) return;
  try {
    discard(FNextBackup.get().Name);
  } catch (const Exception&) {
    // It was never taken.
  }
}

void TRunRecorder::Close(bool stopped) {
  discard_next_backup();
  settle_line();
  for (int index = FRecorded; index < static_cast<int>(FPlan.Files.size()); ++index) {
    TRecordedFile file;
    file.Path = FPlan.Files[static_cast<std::size_t>(index)];
    file.Outcome = stopped ? TFileOutcome::Stopped : TFileOutcome::NotReached;
    FRecord->Append(RecordFileLine(file));
  }
  FRecord->Append(RecordEndLine(RecordTimeText(LocalNow())));
}
