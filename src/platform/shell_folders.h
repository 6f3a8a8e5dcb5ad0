#pragma once
// Folders the shell and the loader know about.
#include <optional>
#include <string>

// The documents folder shared by all users, without a trailing separator; none when the
// shell has none. It is never created here.
std::optional<std::wstring> CommonDocumentsFolder();

// The running program file's full path.
std::wstring ProgramFilePath();
