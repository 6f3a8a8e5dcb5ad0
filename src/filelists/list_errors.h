#pragma once
// The errors the lists raise: I/O errors of a failed folder change, and a list that
// cannot take another entry.
#include <string>

#include "platform/file_system.h"

std::wstring InOutErrorMessage(int code);
[[noreturn]] void RaiseInOutError(int code);
// Makes path the process's current folder, raising the I/O error on failure.
void EnterFolder(IFileSystem& fs, const std::wstring& path);
// For the windows: adding an entry to the native list failed.
[[noreturn]] void RaiseInsertLineError();
