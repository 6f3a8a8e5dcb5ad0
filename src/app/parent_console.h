#pragma once
// Where an unattended run tells what went wrong: the console of the program that started it.
// A Windows program has no console of its own; it borrows its parent's, or writes to the
// error output that its parent gave it (a pipe or a file).
#include <string>

// Writes text and a line break; false when there is nowhere to write it.
bool WriteToParentConsole(const std::wstring& text);
