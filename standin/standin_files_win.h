#pragma once
// The stand-in's file work: NC files are read and written as bytes, saves are atomic, the
// trace grows one line at a time.
#include <windows.h>

#include <string>
#include <string_view>

#include "base/text.h"

// A file operation failed; Code is the platform's error code.
struct TFileError {
  DWORD Code;
};

std::wstring FromUtf8(std::string_view text);

std::string ReadWholeFile(const std::wstring& path);
// Writes a temporary file beside `path` and then puts it in place, so that a crash never
// leaves half a file behind.
void WriteFileAtomically(const std::wstring& path, std::string_view bytes);
// Opens, appends and closes each time, so that the trace survives a crash.
void AppendToFile(const std::wstring& path, std::string_view bytes);
