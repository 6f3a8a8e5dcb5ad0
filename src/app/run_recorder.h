#pragma once
// Keeps a run accountable as it goes: a folder of its own in the user's Runs folder, a backup
// of each file there before Norvalt is handed it, and the run's record, a line per file,
// each on disk before the next file is begun. Used on the run's worker thread.
#include <memory>
#include <string>

#include "app/batch_run.h"
#include "base/errors.h"

class TRecordFile;

// A file could not be backed up, so it was not handed to Norvalt; the run ends.
class EBackupFailed : public Exception {
 public:
  using Exception::Exception;
};

class TRunRecorder {
 public:
  // Removes the runs beyond those kept, makes the run's folder and writes the record's
  // head. Raises EBackupFailed when there is no place for the backups.
  explicit TRunRecorder(const TRunPlan& plan);
  ~TRunRecorder();
  TRunRecorder(const TRunRecorder&) = delete;
  TRunRecorder& operator=(const TRunRecorder&) = delete;

  // Copies the plan's file into the run's folder; raises EBackupFailed naming the file and
  // the reason, recorded as the file's failure.
  void BackUp(int index);
  // Records how Norvalt's work on the file ended (error null: treated), with its size and hash.
  void FileEnded(int index, const std::wstring* error);
  // Records the files that the run did not reach (stopped, or after a failure) and its end.
  void Close(bool stopped);

 private:
  void record(int index, const std::wstring* error);

  const TRunPlan& FPlan;
  std::wstring FFolder;
  std::unique_ptr<TRecordFile> FRecord;
  std::wstring FBackupName;  // of the file under way
  unsigned long long FSizeBefore = 0;
  int FRecorded = 0;  // files whose line is written, from the first
};
