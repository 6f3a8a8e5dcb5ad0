#include "app/run_recorder.h"

#include <windows.h>

#include "app/run_record.h"
#include "identity/regtypes.h"
#include "platform/file_checks.h"
#include "platform/run_files.h"

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

void TRunRecorder::BackUp(int index) {
  const std::wstring& path = FPlan.Files[static_cast<std::size_t>(index)];
  try {
    FBackupName = BackupName(FileNameOf(path),
                             [&](const std::wstring& name) { return FileExistsFollowingLinks(FFolder + name); });
    CopyForBackup(path, FFolder + FBackupName);
    FSizeBefore = FileSize(FFolder + FBackupName);
  } catch (const Exception& e) {
    const std::wstring text = L"Can't back up " + path + L", so it was left as it was: " + e.Message();
    FBackupName.clear();
    record(index, &text);
    throw EBackupFailed(text);
  }
}

void TRunRecorder::FileEnded(int index, const std::wstring* error) { record(index, error); }

void TRunRecorder::record(int index, const std::wstring* error) {
  TRecordedFile file;
  file.Path = FPlan.Files[static_cast<std::size_t>(index)];
  file.Outcome = error ? TFileOutcome::Failed : TFileOutcome::Treated;
  if (error) file.Error = *error;
  if (!FBackupName.empty()) {
    file.BackupName = FBackupName;
    file.SizeBefore = FSizeBefore;
    // What Norvalt left, so that Undo can tell whether the file changed since.
    try {
      file.SizeAfter = FileSize(file.Path);
      file.HashAfter = Sha256OfFile(file.Path);
    } catch (const Exception&) {
      file.SizeAfter.reset();
    }
  }
  FRecord->Append(RecordFileLine(file));
  FBackupName.clear();
  FRecorded = index + 1;
}

void TRunRecorder::Close(bool stopped) {
  for (int index = FRecorded; index < static_cast<int>(FPlan.Files.size()); ++index) {
    TRecordedFile file;
    file.Path = FPlan.Files[static_cast<std::size_t>(index)];
    file.Outcome = stopped ? TFileOutcome::Stopped : TFileOutcome::NotReached;
    FRecord->Append(RecordFileLine(file));
  }
  FRecord->Append(RecordEndLine(RecordTimeText(LocalNow())));
}
