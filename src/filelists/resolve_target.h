#pragma once
// Turns a folder text typed or passed to the folder list into a drive letter and a folder
// part, entering each folder on the way so that a missing one fails early.
#include <string>

#include "platform/file_system.h"

struct TResolvedTarget {
  wchar_t Drive = 0;  // 0 for a network path, whose folder part then starts with the share
  std::wstring Folder;
  // Drive and folder as one absolute path.
  std::wstring Path() const { return Drive == 0 ? Folder : std::wstring{Drive, L':'} + Folder; }
};

// Raises EInOutError when a folder on the way cannot be entered. The process's current
// folder is put back afterwards, also after an error, if it still exists.
TResolvedTarget ResolveTarget(IFileSystem& fs, const std::wstring& target);
