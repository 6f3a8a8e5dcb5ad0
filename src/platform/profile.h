#pragma once
// Profile (INI) files read one key at a time and written a few keys at a time. Writing
// changes only the keys' own lines, so everything else in the file keeps its bytes. The
// file's encoding (ANSI, UTF-8, UTF-16 of either byte order) is kept while it can hold the
// values; otherwise, and for a new file whose values ANSI cannot hold, the file becomes
// UTF-16LE with a byte-order mark.
#include <string>
#include <vector>

#include "platform/profile_storage.h"

// The value of key in section of file; empty when the file, section or key is missing.
std::wstring ReadProfileKey(const std::wstring& file, const std::wstring& section, const std::wstring& key);

// A key and the value to store under it.
struct TProfileValue {
  std::wstring Key;
  std::wstring Value;
};

// Sets the keys in section of file, in one save, creating the file (not its folder). The
// new content goes to a temporary file beside it, which then replaces the file in one step.
// False, with the file untouched and no temporary file left, when any step fails (missing
// folder, read-only file, no access, a read error, a full disk).
bool WriteProfileKeys(const std::wstring& file, const std::wstring& section, const std::vector<TProfileValue>& values,
                      IProfileStorage& storage = FileProfileStorage());
inline bool WriteProfileKey(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                            const std::wstring& value, IProfileStorage& storage = FileProfileStorage()) {
  return WriteProfileKeys(file, section, {{key, value}}, storage);
}
