#pragma once
// The runs kept in the user's Runs folder, as Undo sees them: which one it offers.
#include <optional>
#include <string>

#include "app/undo_run.h"

// The newest run that can still be undone, if any, leaving out the runs passed over.
std::optional<TUndoableRun> FindUndoableRun();

// Undo is not to offer the run in folder again while the program runs: it was undone, but
// its record could not say so. On the next start the files' hashes tell that they are back.
void PassOverRun(const std::wstring& folder);
