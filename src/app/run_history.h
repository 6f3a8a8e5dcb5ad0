#pragma once
// The runs kept in the user's Runs folder, as Undo sees them: which one can be undone, and
// undoing it.
#include <optional>
#include <string>
#include <vector>

#include "app/run_record.h"

struct TUndoableRun {
  std::wstring Folder;  // the run's folder, with its trailing "\"
  TRunRecord Record;
};

// The newest run that can still be undone, if any.
std::optional<TUndoableRun> FindUndoableRun();

struct TUndoOutcome {
  int PutBack = 0;
  std::vector<std::wstring> Skipped;  // changed since the run, gone, or not to be written
};

// Puts back every file of the run whose content is still what the run left, each in one
// step; the others stay as they are. The undo goes into the run's record, so that a run is
// undone once.
TUndoOutcome UndoRun(const TUndoableRun& run);
