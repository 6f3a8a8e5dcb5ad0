#pragma once
// What the end-to-end tests need besides the driver: where the program and the stand-in
// live, and the stand-in's settings file.
#include <string>
#include <vector>

#include "base/text.h"

// build\win, the folder of Velbrook.exe and NorvaltStandIn.exe.
std::wstring ProgramFolder();
std::wstring VelbrookExe();

void WriteFileBytes(const std::wstring& path, const std::string& bytes);

// Removes every run kept for Undo, so that each test starts with none.
void RemoveAllRuns();

// Writes NorvaltStandIn.ini beside the stand-in (its start-up directives), or removes it.
void WriteStandInSettings(const std::string& text);
void RemoveStandInSettings();

// Runs NorvaltStandIn.exe with the switch (/RegServer, /UnregServer, ...) to its end.
void RunStandIn(const std::wstring& switchName);

// The stand-in outlives its clients under Wine 8 (and under Wine 10 one that dies holding
// it); tests end it between runs (/Shutdown).
void EndStandInServers();
