#pragma once
// The settings file: data folder + "velbrook.ini", section "Velbrook": the key "ScriptFile"
// and the program's other settings. Each call opens the file, does its one read or write and
// lets it go.
#include <string>

// The stored script path, cut to 2047 characters; empty when the file, section or key is
// missing, or when dataFolder is no absolute folder.
std::wstring ReadScriptFileSetting(const std::wstring& dataFolder);

// Stores the script path, creating the file but not its folder. Throws Exception
// "Unable to write to <file>" when the file cannot be written or dataFolder is no absolute
// folder; the file is then as it was.
void WriteScriptFileSetting(const std::wstring& dataFolder, const std::wstring& scriptFile);

// Any key of the section, read and written by the same rules (without the length cut).
std::wstring ReadSetting(const std::wstring& dataFolder, const wchar_t* key);
void WriteSetting(const std::wstring& dataFolder, const wchar_t* key, const std::wstring& value);
