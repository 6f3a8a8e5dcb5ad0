#pragma once
// The trace the stand-in Norvalt writes: one line per call it received.
#include <string>
#include <vector>

// The lines of a trace file (empty when it does not exist).
std::vector<std::wstring> ReadTrace(const std::wstring& path);
// How many lines of the trace start with the call's name.
int CountCalls(const std::vector<std::wstring>& trace, const std::wstring& call);
