#pragma once
// Carrying out Undo on a recorded run, file by file, through the run store: each file is
// hashed again right before it is replaced, and the Undo goes into the run's record.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/run_record_format.h"
#include "app/run_store.h"
#include "app/undo_plan.h"

struct TUndoableRun {
  std::wstring Folder;  // the run's folder, with its trailing "\"
  TRecordedRun Record;
};

struct TUndoOutcome {
  int PutBack = 0;
  int Left = 0;  // not reached when stopped
  bool Stopped = false;
  std::vector<std::wstring> Changed;                              // since the run, or gone
  std::vector<std::pair<std::wstring, std::wstring>> NotWritten;  // path and reason
  std::vector<std::wstring> Unchanged;                            // handed, still as their backup
  std::vector<std::pair<std::wstring, std::wstring>> Unknown;     // path and its backup's path
  std::vector<std::wstring> Damaged;
  std::wstring RecordError;  // why the record could not be updated; empty when it was
};

// What Undo reports as it goes, on the thread that carries it out.
struct TUndoProgress {
  std::function<bool()> StopRequested;  // asked before each file
  // After each file to put back: how many are done, of how many.
  std::function<void(int done, int total)> FileDone;
};

// The files whose outcome is unknown, each with its backup's path: few, so that Undo's
// question can name them.
std::vector<std::pair<std::wstring, std::wstring>> UnknownOutcomesOf(const TUndoableRun& run, IRunStore& store);

// Puts back every file of the run whose content is still what the run left, each in one
// step; the others stay as they are. A file whose content changes between the first look
// and its turn is left as it is and named as changed. A stop ends it after the file under
// way. The record gets an Undone line, or an Undo stopped line, so that a run is undone once.
TUndoOutcome UndoRecordedRun(const TUndoableRun& run, IRunStore& store, const TUndoProgress& progress);
