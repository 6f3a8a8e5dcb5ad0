#include "identity/settings_file.h"

#include "base/errors.h"
#include "platform/profile.h"

namespace {

const wchar_t* const Section = L"Velbrook";
const wchar_t* const ScriptFileKey = L"ScriptFile";
const wchar_t* const FilterKey = L"Filter";
const wchar_t* const RecentFiltersKey = L"RecentFilters";
constexpr std::size_t MaxScriptFileLength = 2047;

std::wstring SettingsFile(const std::wstring& dataFolder) { return dataFolder + L"velbrook.ini"; }

// Only an absolute folder will do: an empty or relative one would put the file in whatever
// folder the process is in, which is the folder the lists show.
bool IsAbsoluteFolder(const std::wstring& folder) {
  const bool onDrive = folder.size() >= 3 && folder[1] == L':' && folder[2] == L'\\';
  const bool onShare = folder.rfind(L"\\\\", 0) == 0;
  return (onDrive || onShare) && folder.back() == L'\\';
}

// A value read back loses one pair of enclosing quotes. A filter never holds a double quote,
// so one that starts and ends with a single quote gets a pair of double ones to lose.
std::wstring QuotedFilter(const std::wstring& filter) {
  const bool enclosed = filter.size() >= 2 && filter.front() == L'\'' && filter.back() == L'\'';
  return enclosed ? L'"' + filter + L'"' : filter;
}

std::wstring ReadSetting(const std::wstring& dataFolder, const wchar_t* key) {
  if (!IsAbsoluteFolder(dataFolder)) return {};
  return ReadProfileKey(SettingsFile(dataFolder), Section, key);
}

}  // namespace

std::wstring ReadScriptFileSetting(const std::wstring& dataFolder) {
  return ReadSetting(dataFolder, ScriptFileKey).substr(0, MaxScriptFileLength);
}

TFilterSettings ReadFilterSettings(const std::wstring& dataFolder) {
  return {ReadSetting(dataFolder, FilterKey), ReadSetting(dataFolder, RecentFiltersKey)};
}

void WriteSettings(const std::wstring& dataFolder, const std::wstring& scriptFile, const TFilterSettings& filter) {
  const std::wstring file = SettingsFile(dataFolder);
  std::vector<TProfileValue> values{{ScriptFileKey, scriptFile}};
  // A file of a user who never filtered keeps the lines it always had.
  if (!filter.RecentFilters.empty()) {
    values.push_back({FilterKey, QuotedFilter(filter.Filter)});
    values.push_back({RecentFiltersKey, QuotedFilter(filter.RecentFilters)});
  }
  if (!IsAbsoluteFolder(dataFolder) || !WriteProfileKeys(file, Section, values))
    throw Exception(L"Unable to write to " + file);
}
