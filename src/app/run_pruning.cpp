#include "app/run_pruning.h"

#include <utility>

#include "app/run_names.h"

std::vector<std::wstring> RunsToRemove(std::vector<TRunOnDisk> runs, std::size_t keepCount, std::uint64_t keepBytes,
                                       const std::wstring& undoable) {
  const std::vector<TRunOnDisk> newestFirst = RunsNewestFirst(std::move(runs));
  std::size_t kept = 0;
  std::uint64_t keptBytes = 0;
  for (const TRunOnDisk& run : newestFirst) {
    const bool fits = kept < keepCount && keptBytes + run.Bytes <= keepBytes;
    if (kept > 0 && !fits) break;
    ++kept;
    keptBytes += run.Bytes;
  }
  std::vector<std::wstring> names;
  for (std::size_t i = kept; i < newestFirst.size(); ++i)
    if (newestFirst[i].Name != undoable) names.push_back(newestFirst[i].Name);
  return names;
}
