#pragma once
// How a failed automation call is put into words. Kept free of the Windows API so the
// choice can be tested natively; the Windows side only gathers the candidate texts.
#include <cstdint>
#include <string>
#include <string_view>

// The status a server returns when the user cancelled: it ends the action silently.
inline constexpr std::uint32_t AbortStatus = 0xA0004004u;

inline bool IsAbortStatus(std::int32_t status) { return static_cast<std::uint32_t>(status) == AbortStatus; }

// True for the statuses by which a call learns that the server's process has died or let
// go of the object: the object is of no more use, and a new one must be made.
bool IsServerGoneStatus(std::int32_t status);

// Drops the line breaks and spaces that system message texts end with.
std::wstring TrimMessageEnd(std::wstring_view text);

// The server's description if it gave one, else the platform's text for the status,
// else "OLE error" with the status as eight lower-case hex digits.
std::wstring OleErrorText(std::int32_t status, std::wstring_view description, std::wstring_view systemText);
