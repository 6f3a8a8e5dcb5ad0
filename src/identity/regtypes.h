#pragma once
// The program's identity values, held once for the whole program (UI thread only). They
// start with built-in values and are refreshed from the program file's version block.
#include <string>

#include "platform/version_info.h"

extern std::wstring AppProductName;
extern std::wstring AppCompanyName;
extern std::wstring AppCopyright;
extern std::wstring AppVersion;
extern std::wstring AppMajorVersion;

// Refreshes the values from the version block of the running program file.
void RefreshIdentity();
// Refreshes them from the version block of exeName (a bare file name) read through source.
void RefreshIdentity(IVersionInfo& source, const std::wstring& exeName);

// The file name part of a path: what follows its last "\".
std::wstring FileNameOf(const std::wstring& path);
