#pragma once
// What the user reads about a run's end and its Undo.
#include <string>
#include <utility>
#include <vector>

#include "app/undo_run.h"

// unknown: the files whose outcome is unknown, each with its backup's path.
std::wstring UndoQuestion(int count, const std::wstring& started,
                          const std::vector<std::pair<std::wstring, std::wstring>>& unknown = {});
// How many files Undo put back, and what it left alone and why.
std::wstring UndoResultText(const TUndoOutcome& outcome);
// The end of a run that went on after errors: how many files were treated, then each failed
// file's name with its error.
std::wstring FailureSummary(int treated, int count,
                            const std::vector<std::pair<std::wstring, std::wstring>>& failedPathsAndErrors);
