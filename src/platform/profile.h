#pragma once
// Profile (INI) files read and written one key at a time. Writing changes only the key's
// own line, so everything else in the file keeps its bytes. The file's encoding (ANSI,
// UTF-8 or UTF-16 with byte-order mark) is kept; a new file is ANSI.
#include <string>

// The value of key in section of file; empty when the file, section or key is missing.
std::wstring ReadProfileKey(const std::wstring& file, const std::wstring& section, const std::wstring& key);

// Sets key in section of file, creating the file (not its folder); false when the file
// cannot be written (missing folder, read-only file, no access).
bool WriteProfileKey(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                     const std::wstring& value);
