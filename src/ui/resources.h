#pragma once
// Access to the program's own resources.
#include <windows.h>

#include <optional>
#include <string>

// The bytes of a resource of the running program, or nothing when it has none of that name.
std::optional<std::string> LoadResourceBytes(const std::wstring& name, LPCWSTR type = RT_RCDATA);
