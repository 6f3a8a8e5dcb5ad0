#include "identity/settings_file.h"

#include "platform/profile.h"
#include "ui/errors.h"

namespace {

const wchar_t* const Section = L"Velbrook";
const wchar_t* const Key = L"ScriptFile";
constexpr std::size_t MaxScriptFileLength = 2047;

std::wstring SettingsFile(const std::wstring& dataFolder) { return dataFolder + L"velbrook.ini"; }

}  // namespace

std::wstring ReadScriptFileSetting(const std::wstring& dataFolder) {
  return ReadProfileKey(SettingsFile(dataFolder), Section, Key).substr(0, MaxScriptFileLength);
}

void WriteScriptFileSetting(const std::wstring& dataFolder, const std::wstring& scriptFile) {
  const std::wstring file = SettingsFile(dataFolder);
  if (!WriteProfileKey(file, Section, Key, scriptFile)) throw Exception(L"Unable to write to " + file);
}
