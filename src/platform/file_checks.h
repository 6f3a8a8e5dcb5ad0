#pragma once
// Questions about files that the program asks the file system directly.
#include <string>

// True when a file (not a folder) exists at path; a link counts by its target.
bool FileExistsFollowingLinks(const std::wstring& path);
