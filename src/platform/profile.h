#pragma once
// Profile (INI) files read and written one key at a time. Writing changes only the key's
// own line, so everything else in the file keeps its bytes. The file's encoding (ANSI,
// UTF-8, UTF-16 of either byte order) is kept while it can hold the value; otherwise, and for
// a new file whose value ANSI cannot hold, the file becomes UTF-16LE with a byte-order mark.
#include <string>

#include "platform/profile_storage.h"

// The value of key in section of file; empty when the file, section or key is missing.
std::wstring ReadProfileKey(const std::wstring& file, const std::wstring& section, const std::wstring& key);

// Sets key in section of file, creating the file (not its folder). The new content goes to
// a temporary file beside it, which then replaces the file in one step. False, with the file
// untouched and no temporary file left, when any step fails (missing folder, read-only file,
// no access, a read error, a full disk).
bool WriteProfileKey(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                     const std::wstring& value, IProfileStorage& storage = FileProfileStorage());
