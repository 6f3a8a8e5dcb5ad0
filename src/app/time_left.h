#pragma once
// How long a run has left, as the status line tells it: from the mean time per file so far,
// once that mean says something.
#include <chrono>
#include <optional>
#include <string>

// The time the files not done yet will take, at the mean time of the done ones; none until
// three files are done, or one or more taking ten seconds in all.
std::optional<std::chrono::seconds> EstimateTimeLeft(int done, int total, std::chrono::milliseconds spentOnDone);

// "about 40 s left" under a minute (whole seconds, rounded up), else "about 4 min left"
// (minutes rounded to the nearest, at least one).
std::wstring TimeLeftText(std::chrono::seconds left);

// The status of a file under way with the time left after it, when known:
// "Treating B.NC (2 of 50), about 4 min left".
std::wstring WithTimeLeft(const std::wstring& status, const std::optional<std::chrono::seconds>& left);
