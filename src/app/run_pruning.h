#pragma once
// Which old runs go to make room for a new one.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/run_files.h"

// The runs to remove: all but the newest ones that number at most keepCount and together
// hold at most keepBytes. The newest run is always kept, however big; call this once the new
// run's folder exists, so that it counts as the newest. The run named undoable (the newest
// that can still be undone) is never removed either.
std::vector<std::wstring> RunsToRemove(std::vector<TRunOnDisk> runs, std::size_t keepCount = 20,
                                       std::uint64_t keepBytes = 1ull << 30, const std::wstring& undoable = {});
