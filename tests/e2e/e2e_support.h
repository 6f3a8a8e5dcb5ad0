#pragma once
// What the end-to-end tests and the demo share besides the driver: where the program and
// the stand-in live, the stand-in's settings file, and its trace.
#include <string>
#include <vector>

// build\win, the folder of Velbrook.exe and NorvaltStandIn.exe.
std::wstring ProgramFolder();
std::wstring VelbrookExe();

// Writes NorvaltStandIn.ini beside the stand-in (its start-up directives), or removes it.
void WriteStandInSettings(const std::string& text);
void RemoveStandInSettings();

// The stand-in outlives its clients under Wine; tests end it between runs (/Shutdown).
void EndStandInServers();

// The lines of a stand-in trace file (empty when it does not exist).
std::vector<std::wstring> ReadTrace(const std::wstring& path);
// How many lines of the trace start with the call's name.
int CountCalls(const std::vector<std::wstring>& trace, const std::wstring& call);

std::string ToUtf8(const std::wstring& text);
