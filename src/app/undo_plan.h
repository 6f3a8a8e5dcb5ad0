#pragma once
// What Undo does with a recorded run, decided at its first look at the files: those it puts
// back and those it leaves alone; and which run Undo offers.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/run_record_format.h"

// A file that Norvalt was handed but whose outcome the record does not tell (Velbrook ended
// while Norvalt worked on it), whose content is no longer its backup's.
struct TUnknownOutcome {
  std::wstring Path;
  std::wstring BackupName;
};

struct TUndoPlan {
  std::vector<const TFileEntry*> Restore;  // as the run left them; pointing into the record
  std::vector<std::wstring> Changed;       // changed since the run, or gone
  std::vector<std::wstring> Unchanged;     // handed without an outcome, still as their backup
  std::vector<TUnknownOutcome> Unknown;
  std::vector<std::wstring> Damaged;  // paths of lines that fail the checks
};

using THashOf = std::function<std::optional<std::wstring>(const std::wstring& path)>;

// A file is put back when its present content still has the hash the record holds;
// currentHash gives none for a file that is gone or cannot be read. A file whose content is
// its backup's already (put back by an Undo that was stopped, or whose record could not be
// updated) is left out. A line whose backup name is not a plain file name, or whose path is
// not absolute on a drive, is not used.
TUndoPlan PlanUndo(const TRecordedRun& record, const THashOf& currentHash);
// The files handed without an outcome whose content is no longer their backup's; hashes
// only those, so that it can be asked before the question.
std::vector<TUnknownOutcome> UnknownOutcomes(const TRecordedRun& record, const THashOf& currentHash);
// The files that have a backup and a hash to check against.
int UndoableCount(const TRecordedRun& record);
// Not undone yet, with at least one file to put back or to account for.
bool CanUndo(const TRecordedRun& record);

// The run Undo offers: the newest (the first of newestFirst) whose record, as read gives it,
// can be undone.
struct TOfferedRun {
  std::wstring Name;
  TRecordedRun Record;
};
std::optional<TOfferedRun> NewestUndoable(const std::vector<TRunOnDisk>& newestFirst,
                                          const std::function<TRecordedRun(const std::wstring& name)>& read);
