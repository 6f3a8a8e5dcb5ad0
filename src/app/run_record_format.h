#pragma once
// The run's record (run.txt in the run's folder): what each line says, written a line at a
// time as the run goes, and read back however it was cut off.
//
// The record is UTF-8 text of tab-separated lines ending in CRLF:
//   Velbrook run record
//   Started<TAB>2026-12-09 18:58:14
//   Run<TAB>17
//   Script<TAB>C:\NC\tidy.nvs
//   Folder<TAB>C:\NC\Jobs
//   Mask<TAB>*.*
//   Handed<TAB>A.NC<TAB><sha-256><TAB>C:\NC\Jobs\A.NC
//   File<TAB>treated<TAB>1234<TAB>1240<TAB><sha-256><TAB>A.NC<TAB>C:\NC\Jobs\A.NC
//   File<TAB>not reached<TAB>-<TAB>-<TAB>-<TAB>-<TAB>C:\NC\Jobs\C.NC
//   Ended<TAB>2026-12-09 18:58:20
//   Undo stopped<TAB>2026-12-09 18:59:00<TAB>1<TAB>3
//   Undone<TAB>2026-12-09 19:00:00<TAB>2<TAB>C:\NC\Jobs\X.NC
// The Run line holds the run's number, which only grows from run to run (records of earlier
// versions have none). A Handed line is on the disk before Norvalt is handed the file: its
// backup's name and SHA-256, and its path; so after a crash every file that Norvalt may
// have written is known, with or without its File line. A File line holds the outcome ("treated", "failed: <error>",
// "stopped", "not reached"), the size before and after, the content's SHA-256 after Norvalt saved it, the backup's name
// in the run folder and the file's path; "-" stands for a missing value. The Undone line
// holds the time, the number of files put back and the paths skipped; an Undo stopped line,
// an Undo stopped by the user: the time, the files put back so far and the files left.
//
// Each line is written whole, ending in CRLF. A record whose last line was cut off (a crash,
// a power cut) is continued on a line of its own, and a line without its CR is read as cut
// off and left out.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/run_files.h"

enum class TFileOutcome { Treated, Failed, Stopped, NotReached };

// A file's entry in the record: how the run ended for it.
struct TFileEntry {
  std::wstring Path;
  TFileOutcome Outcome = TFileOutcome::NotReached;
  std::wstring Error;  // Failed only
  std::optional<std::uint64_t> SizeBefore, SizeAfter;
  std::wstring HashAfter;   // 64 lower-case hex digits, or empty
  std::wstring BackupName;  // the backup's name in the run folder, or empty
};

// A file about to be handed to Norvalt, with its backup.
struct THandedFile {
  std::wstring Path;
  std::wstring BackupName;
  std::wstring BackupHash;
};

// A run as its record tells it.
struct TRecordedRun {
  std::wstring Started, Ended;  // "yyyy-mm-dd hh:mm:ss", or empty
  std::uint64_t Number = 0;     // 0: a record without a Run line
  std::wstring Script, Folder, Mask;
  std::vector<THandedFile> Handed;
  std::vector<TFileEntry> Files;
  std::wstring Undone;  // when the run was undone; empty while it is not
  int PutBack = 0;
  std::vector<std::wstring> Skipped;
};

// The record's file name in the run folder.
inline constexpr wchar_t kRecordFileName[] = L"run.txt";

// "yyyy-mm-dd hh<sep>mm<sep>ss".
std::wstring TimeText(const TLocalTime& time, wchar_t timeSeparator);
// "yyyy-mm-dd hh:mm:ss", as the record and the messages give times.
std::wstring RecordTimeText(const TLocalTime& time);

// The record's lines, each ending in CRLF; tabs and line breaks within values become blanks.
std::string RecordHeaderText(const TRecordedRun& record);
std::string RecordHandedLine(const THandedFile& file);
std::string RecordFileLine(const TFileEntry& file);
std::string RecordEndLine(const std::wstring& time);
std::string RecordUndoLine(const std::wstring& time, int putBack, const std::vector<std::wstring>& skipped);
std::string RecordUndoStoppedLine(const std::wstring& time, int putBack, int left);
// Reads what the functions above wrote. Lines cut off by a crash and lines it does not know
// are left out.
TRecordedRun ParseRunRecord(std::string_view utf8);
