#pragma once
// Every window procedure, timer tick and event handler runs through RunGuarded, so that an
// escaped exception ends only the current action: EAbort silently, anything else in the
// standard error box. Nothing escapes into Windows or across a COM boundary.
#include <exception>
#include <functional>
#include <string>

// Shows the standard error box for the error, or nothing for EAbort.
void ShowException(const std::exception_ptr& error);
// Has every error that would show the standard error box handed to report instead, for a
// program that nobody watches; an empty report brings the box back.
void ReportExceptionsTo(std::function<void(const std::exception_ptr&)> report);

// Runs action; returns false when it ended by an exception (already reported).
bool RunGuarded(const std::function<void()>& action);

// Runs action, a paint; returns false when it ended by an exception. The box opens only
// after the paint has returned (the error is posted to the thread's message loop), and
// while one such error waits or is shown, others are dropped: a box opened inside a paint
// would have the window beneath it repainted, fail again and pile up boxes.
bool RunPaintGuarded(const std::function<void()>& action);
