#pragma once
// The names in the Runs folder: a folder per run, named after its start, and the backups in
// it; and the order of the runs that those names give.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/run_files.h"

// "yyyy-mm-dd hh.mm.ss #n": a run folder is named after the run's start and its number.
// Earlier versions named it after the start alone, with " (2)", " (3)", ... for runs of the
// same second.
std::wstring RunFolderName(const TLocalTime& start, std::uint64_t number);
// The number for a new run: one above the highest of the listed runs', 1 for the first.
std::uint64_t NextRunNumber(const std::vector<TRunOnDisk>& listed);

// The file name wanted, or the first of "name (2).ext", "name (3).ext", ... not taken.
std::wstring UniqueName(const std::wstring& wanted, const std::function<bool(const std::wstring&)>& taken);
// The name under which a file's backup is kept in the run folder: the file's own name
// unless taken says the folder holds it already (ask the file system, which ignores case
// as Windows names do). The record's name and "-" (a missing value in the record) are
// never given out.
std::wstring BackupName(const std::wstring& fileName, const std::function<bool(const std::wstring&)>& taken);

// The run folders among listed, newest first; other folders are left out, so that nothing
// Velbrook did not make is ever removed. Numbered runs are newer than unnumbered ones and
// order by their number, whatever the clock said; unnumbered ones order by their time.
std::vector<TRunOnDisk> RunsNewestFirst(std::vector<TRunOnDisk> listed);

// A plain file name for a backup in the run's folder: no folder part, no drive, not "." or
// "..", nothing that would lead out of the folder.
bool IsPlainBackupName(const std::wstring& name);
