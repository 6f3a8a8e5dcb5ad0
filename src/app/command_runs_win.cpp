#include <exception>

#include "app/command_runs.h"
#include "platform/profile_storage.h"
#include "platform/run_files.h"

bool AppendCommandRun(const TCommandRun& run) noexcept {
  try {
    const std::wstring file = LocalDataFolder() + kCommandRunsFileName;
    IProfileStorage& storage = FileProfileStorage();
    std::string text;
    // A log that cannot be read is left alone rather than replaced by its last line.
    if (storage.ReadAll(file, text) == IProfileStorage::TRead::Failed) return false;
    return SaveThroughTemporary(storage, file, AppendKeepingUnder(std::move(text), CommandRunLine(run)));
  } catch (const std::exception&) {
    return false;
  }
}
