#pragma once
// Texts of the standard error box, kept free of Windows calls so they are tested natively.
#include <exception>
#include <string>

// The application title: the program file's name (no folder) up to its first ".", with
// every character after the first in lower case ('Velbrook' for 'VELBROOK.EXE').
std::wstring ApplicationTitleFromExeName(const std::wstring& exePath);

// The error's text as the box shows it: a "." is added when the last character's code is
// greater than that of ".".
std::wstring ErrorBoxText(const std::wstring& message);

// Text that the standard error box shows for an exception ("." rule applied).
std::wstring ExceptionText(const std::exception_ptr& error);
