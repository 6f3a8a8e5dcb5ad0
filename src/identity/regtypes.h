#pragma once
// The program's identity values, held once for the whole program (UI thread only). The
// version comes from the program file's version block alone (empty until it is read); the
// maker and product names come from it too, and keep their built-in values where it names
// none; the copyright line is built in.
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
