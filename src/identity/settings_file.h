#pragma once
// The settings file: data folder + "velbrook.ini", section "Velbrook": the script path
// ("ScriptFile") and the filter box's state ("Filter", "RecentFilters"). Each call opens the
// file, does its one read or write and lets it go.
#include <string>

// The filter box's state as stored: the filter in force and the recent filters, each as
// the filter box writes them.
struct TFilterSettings {
  std::wstring Filter;
  std::wstring RecentFilters;
};

// The stored script path, cut to 2047 characters; empty when the file, section or key is
// missing, or when dataFolder is no absolute folder.
std::wstring ReadScriptFileSetting(const std::wstring& dataFolder);
// The stored filter box's state; empty where the file, section or keys are missing.
TFilterSettings ReadFilterSettings(const std::wstring& dataFolder);

// Stores the script path and, once the filter box has been used (recent filters kept), its
// state, in one save that creates the file but not its folder. Throws Exception "Unable to
// write to <file>" when the file cannot be written or dataFolder is no absolute folder; the
// file is then as it was.
void WriteSettings(const std::wstring& dataFolder, const std::wstring& scriptFile, const TFilterSettings& filter = {});
