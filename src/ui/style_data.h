#pragma once
// The text form of a visual style as the resources carry it: one "Key = #RRGGBB" line per
// colour, "//" comments and blank lines ignored.
#include <cstdint>
#include <map>
#include <string>

// Colours by key, as 0x00BBGGRR values ready for GDI.
using TStyleColors = std::map<std::wstring, std::uint32_t>;

// Raises Exception naming the line for anything that is not a colour line.
TStyleColors ParseStyleColors(const std::wstring& text);
