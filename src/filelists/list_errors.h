#pragma once
// The I/O errors the lists raise when a folder change fails.
#include <string>

#include "platform/file_system.h"

std::wstring InOutErrorMessage(int code);
[[noreturn]] void RaiseInOutError(int code);
// Makes path the process's current folder, raising the I/O error on failure.
void EnterFolder(IFileSystem& fs, const std::wstring& path);
