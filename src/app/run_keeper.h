#pragma once
// Keeps a run accountable as it goes: a folder of its own in the user's Runs folder, a backup
// of each file there before Norvalt is handed it, and the run's record, a line per file.
// Used on the run's worker thread. The copying, hashing and flushing is done by a thread of
// its own while Norvalt works on a file: the next file's backup and the last file's line.
// What a save relies on is waited for: a file's backup and its Handed line before Norvalt is
// handed it, and the lines of the files before it before Norvalt saves over it.
//
// Nothing is written before the first backup is taken: a run that ends before it (no
// script, LoadScript refused) leaves no folder and removes no earlier run.
#include <cstdint>
#include <future>
#include <memory>
#include <set>
#include <string>

#include "app/batch_run.h"
#include "app/run_store.h"
#include "base/errors.h"
#include "threads/serial_worker.h"

struct TFileEntry;

class TRunKeeper {
 public:
  explicit TRunKeeper(const TRunPlan& plan, IRunStore& store = DiskRunStore());
  ~TRunKeeper();
  TRunKeeper(const TRunKeeper&) = delete;
  TRunKeeper& operator=(const TRunKeeper&) = delete;

  // Sees the plan's file backed up in the run's folder and its Handed line on the disk, and
  // starts on the next one's backup. The first call makes the run's folder, writes the
  // record's head and removes the runs beyond those kept. Raises EBackupFailed naming the
  // file and the reason, recorded as the file's failure; when the first backup fails, the
  // run's folder goes again.
  void BackUp(int index);
  // Norvalt is about to save over a file: raises what kept an earlier file's line from the disk.
  void FileSaving();
  // Records how Norvalt's work on the file ended (error null: treated), with its size and hash.
  void FileEnded(int index, const std::wstring* error);
  // Records the files that the run did not reach (stopped, or after a failure) and its end.
  void Close(bool stopped);
  // The run's folder with its trailing "\\"; empty until the first backup is taken.
  const std::wstring& Folder() const { return FFolder; }

 private:
  struct TBackup {
    std::wstring Name;  // in the run's folder; empty when the file has none
    TFileStamp Source;  // of the file as it was copied
    std::wstring Hash;  // the backup's SHA-256
  };

  void open_run(int index);
  void make_folder(const std::wstring& runs, std::uint64_t number);
  void remove_empty_run(const std::wstring& runs);
  std::wstring backup_failure_text(int index, const Exception& e) const;
  [[noreturn]] void fail_backup(int index, const Exception& e);
  void start_record(std::uint64_t number);
  void remove_old_runs(const std::wstring& runs);
  // Backs up the plan's file under name, or under a name of its own when name is empty.
  TBackup take_backup(int index, std::wstring name);
  void start_next_backup(int index);
  TBackup fresh_backup(int index);
  void hand_over(int index);
  void discard(const std::wstring& backupName);
  void discard_next_backup();
  void record(int index, const std::wstring* error);
  void put_back_if_changed(TFileEntry& file, const std::wstring& backupHash);
  void settle_line();

  const TRunPlan& FPlan;
  IRunStore& FStore;
  std::wstring FFolder;  // the run's, once made
  std::unique_ptr<IRecordAppender> FRecord;
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
