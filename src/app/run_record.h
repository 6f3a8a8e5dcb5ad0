#pragma once
// What a run leaves behind so that it can be accounted for and taken back: the run's record
// (run.txt in the run's folder), the names of the run folders and of the backups in them,
// which old runs go, what Undo puts back, and the texts the user reads about it.
//
// The record is written as the run goes: the header at the start, one line per file, the
// end line at the end, and an undo line when it is undone. It is UTF-8 text of tab-separated
// lines ending in CRLF, readable when cut off after any whole line:
//   Velbrook run record
//   Started<TAB>2026-12-09 18:58:14
//   Script<TAB>C:\NC\tidy.nvs
//   Folder<TAB>C:\NC\Jobs
//   Mask<TAB>*.*
//   File<TAB>treated<TAB>1234<TAB>1240<TAB><sha-256><TAB>A.NC<TAB>C:\NC\Jobs\A.NC
//   File<TAB>not reached<TAB>-<TAB>-<TAB>-<TAB>-<TAB>C:\NC\Jobs\C.NC
//   Ended<TAB>2026-12-09 18:58:20
//   Undone<TAB>2026-12-09 19:00:00<TAB>2<TAB>C:\NC\Jobs\X.NC
// A File line holds the outcome ("treated", "failed: <error>", "stopped", "not reached"),
// the size before and after, the content's SHA-256 after Norvalt saved it, the backup's name
// in the run folder and the file's path; "-" stands for a missing value. The Undone line
// holds the time, the number of files put back and the paths skipped.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/run_files.h"

enum class TFileOutcome { Treated, Failed, Stopped, NotReached };

struct TRecordedFile {
  std::wstring Path;
  TFileOutcome Outcome = TFileOutcome::NotReached;
  std::wstring Error;  // Failed only
  std::optional<std::uint64_t> SizeBefore, SizeAfter;
  std::wstring HashAfter;   // 64 lower-case hex digits, or empty
  std::wstring BackupName;  // the backup's name in the run folder, or empty
};

struct TRunRecord {
  std::wstring Started, Ended;  // "yyyy-mm-dd hh:mm:ss", or empty
  std::wstring Script, Folder, Mask;
  std::vector<TRecordedFile> Files;
  std::wstring Undone;  // when the run was undone; empty while it is not
  int PutBack = 0;
  std::vector<std::wstring> Skipped;
};

// The record's file name in the run folder.
inline constexpr wchar_t kRecordFileName[] = L"run.txt";

// "yyyy-mm-dd hh:mm:ss", as the record and the messages give times.
std::wstring RecordTimeText(const TLocalTime& time);
// "yyyy-mm-dd hh.mm.ss": a run folder is named after the run's start.
std::wstring RunFolderName(const TLocalTime& time);
// The name for a new run folder: RunFolderName, with " (2)", " (3)", ... after it when
// taken says a run of the same second has it already.
std::wstring NewRunFolderName(const TLocalTime& start, const std::function<bool(const std::wstring&)>& taken);

// The record's lines, each ending in CRLF; tabs and line breaks within values become blanks.
std::string RecordHeaderText(const TRunRecord& record);
std::string RecordFileLine(const TRecordedFile& file);
std::string RecordEndLine(const std::wstring& time);
std::string RecordUndoLine(const std::wstring& time, int putBack, const std::vector<std::wstring>& skipped);
// Reads what the functions above wrote. A last line without its line break (cut off by a
// crash) and lines it does not know are left out.
TRunRecord ParseRunRecord(std::string_view utf8);

// The file name wanted, or the first of "name (2).ext", "name (3).ext", ... not taken.
std::wstring UniqueName(const std::wstring& wanted, const std::function<bool(const std::wstring&)>& taken);
// The name under which a file's backup is kept in the run folder: the file's own name
// unless taken says the folder holds it already (ask the file system, which ignores case
// as Windows names do). The record's name and "-" (a missing value in the record) are
// never given out.
std::wstring BackupName(const std::wstring& fileName, const std::function<bool(const std::wstring&)>& taken);

// The run folders among listed, newest first; other folders are left out, so that nothing
// Velbrook did not make is ever removed.
std::vector<TRunOnDisk> RunsNewestFirst(std::vector<TRunOnDisk> listed);
// The runs to remove: all but the newest ones that number at most keepCount and together
// hold at most keepBytes. The newest run is always kept, however big, as it is the one Undo
// offers; call this once the new run's folder exists, so that it counts as the newest.
std::vector<std::wstring> RunsToRemove(std::vector<TRunOnDisk> runs, std::size_t keepCount = 20,
                                       std::uint64_t keepBytes = 1ull << 30);

// What Undo does with a run: the files to put back, and those changed since the run (or
// gone), which stay as they are.
struct TUndoPlan {
  std::vector<const TRecordedFile*> Restore;  // pointing into the record
  std::vector<std::wstring> Skipped;
};
// A file is put back when its present content still has the hash the record holds;
// currentHash gives none for a file that is gone or cannot be read.
TUndoPlan PlanUndo(const TRunRecord& record,
                   const std::function<std::optional<std::wstring>(const std::wstring& path)>& currentHash);
// The files that have a backup and a hash to check against.
int UndoableCount(const TRunRecord& record);
// Not undone yet, with at least one file to put back.
bool CanUndo(const TRunRecord& record);

std::wstring UndoQuestion(int count, const std::wstring& started);
// How many files Undo put back, and the paths it skipped.
std::wstring UndoResultText(int putBack, const std::vector<std::wstring>& skipped);
// The end of a run that went on after errors: how many files were treated, then each failed
// file's name with its error.
std::wstring FailureSummary(int treated, int count,
                            const std::vector<std::pair<std::wstring, std::wstring>>& failedPathsAndErrors);
