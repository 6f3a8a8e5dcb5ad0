#include "app/run_history.h"

#include <mutex>
#include <set>

#include "app/run_names.h"
#include "base/errors.h"

namespace {

std::mutex gPassedOverLock;
std::set<std::wstring> gPassedOver;

bool IsPassedOver(const std::wstring& folder) {
  const std::lock_guard<std::mutex> lock(gPassedOverLock);
  return gPassedOver.count(folder) != 0;
}

}  // namespace

std::optional<TUndoableRun> FindUndoableRun() {
  IRunStore& store = DiskRunStore();
  try {
    const std::wstring runs = store.RunsFolder();
    const std::optional<TOfferedRun> offered =
        NewestUndoable(RunsNewestFirst(store.ListRuns(runs)), [&](const std::wstring& name) {
          const std::wstring folder = runs + name + L"\\";
          return IsPassedOver(folder) ? TRecordedRun() : ParseRunRecord(store.ReadRecord(folder));
        });
    if (offered) return TUndoableRun{runs + offered->Name + L"\\", offered->Record};
  } catch (const Exception&) {
    // No Runs folder to be had: nothing to undo.
  }
  return std::nullopt;
}

void PassOverRun(const std::wstring& folder) {
  const std::lock_guard<std::mutex> lock(gPassedOverLock);
  gPassedOver.insert(folder);
}
