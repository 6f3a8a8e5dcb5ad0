#include "identity/settings_file.h"

#include "base/errors.h"
#include "platform/profile.h"

namespace {

const wchar_t* const Section = L"Velbrook";
const wchar_t* const ScriptFileKey = L"ScriptFile";
constexpr std::size_t MaxScriptFileLength = 2047;

std::wstring SettingsFile(const std::wstring& dataFolder) { return dataFolder + L"velbrook.ini"; }

// Only an absolute folder will do: an empty or relative one would put the file in whatever
// folder the process is in, which is the folder the lists show.
bool IsAbsoluteFolder(const std::wstring& folder) {
  const bool onDrive = folder.size() >= 3 && folder[1] == L':' && folder[2] == L'\\';
  const bool onShare = folder.rfind(L"\\\\", 0) == 0;
  return (onDrive || onShare) && folder.back() == L'\\';
}

}  // namespace

std::wstring ReadSetting(const std::wstring& dataFolder, const wchar_t* key) {
  if (!IsAbsoluteFolder(dataFolder)) return {};
  return ReadProfileKey(SettingsFile(dataFolder), Section, key);
}

void WriteSetting(const std::wstring& dataFolder, const wchar_t* key, const std::wstring& value) {
  const std::wstring file = SettingsFile(dataFolder);
  if (!IsAbsoluteFolder(dataFolder) || !WriteProfileKey(file, Section, key, value))
    throw Exception(L"Unable to write to " + file);
}

std::wstring ReadScriptFileSetting(const std::wstring& dataFolder) {
  return ReadSetting(dataFolder, ScriptFileKey).substr(0, MaxScriptFileLength);
}

void WriteScriptFileSetting(const std::wstring& dataFolder, const std::wstring& scriptFile) {
  WriteSetting(dataFolder, ScriptFileKey, scriptFile);
}
