#pragma once
// Keeps a run accountable as it goes: a folder of its own in the user's Runs folder, a backup
// of each file there before Norvalt is handed it, and the run's record, a line per file.
// Used on the run's worker thread. The copying, hashing and flushing is done by a thread of
// its own while Norvalt works on a file: the next file's backup and the last file's line.
// What a save relies on is waited for: a file's backup before Norvalt is handed it, and the
// lines of the files before it before Norvalt saves over it.
#include <future>
#include <memory>
#include <set>
#include <string>

#include "app/batch_run.h"
#include "base/errors.h"
#include "platform/run_files.h"
#include "threads/serial_worker.h"

class TRunRecorder {
 public:
  // Removes the runs beyond those kept, makes the run's folder and writes the record's
  // head. Raises EBackupFailed when there is no place for the backups.
  explicit TRunRecorder(const TRunPlan& plan);
  ~TRunRecorder();
  TRunRecorder(const TRunRecorder&) = delete;
  TRunRecorder& operator=(const TRunRecorder&) = delete;

  // Sees the plan's file backed up in the run's folder, and starts on the next one's backup.
  // Raises EBackupFailed naming the file and the reason, recorded as the file's failure.
  void BackUp(int index);
  // Norvalt is about to save over a file: raises what kept an earlier file's line from the disk.
  void FileSaving();
  // Records how Norvalt's work on the file ended (error null: treated), with its size and hash.
  void FileEnded(int index, const std::wstring* error);
  // Records the files that the run did not reach (stopped, or after a failure) and its end.
  void Close(bool stopped);

 private:
  struct TBackup {
    std::wstring Name;  // in the run's folder; empty when the file has none
    TFileStamp Source;  // of the file as it was copied
  };

  // Backs up the plan's file under name, or under a name of its own when name is empty.
  TBackup take_backup(int index, std::wstring name);
  void start_next_backup(int index);
  void discard(const std::wstring& backupName);
  void discard_next_backup();
  void record(int index, const std::wstring* error);
  void settle_line();

  const TRunPlan& FPlan;
  std::wstring FFolder;
  std::unique_ptr<TRecordFile> FRecord;
  // The names given to backups in the run's folder, in which no one else makes files. Kept
  // here, as asking the folder would be a file call per file, one that grows with the
  // folder under Wine.
  std::set<std::wstring, TFileNameOrder> FBackupNames;
  TBackup FBackup;                   // of the file under way
  std::future<TBackup> FNextBackup;  // taken while Norvalt works on the file before
  std::future<void> FLineUnderWay;   // the last file's line, until it is on the disk
  int FRecorded = 0;                 // files whose line is written or under way, from the first
  TSerialWorker FKeeper;             // last: its jobs use what is above
};
