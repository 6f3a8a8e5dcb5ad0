#pragma once
// Profile (INI) text read the way the profile API reads it, and edited so that only the one
// line holding the key changes: foreign sections, comments, blank and odd lines keep every
// byte. Works on 8-bit text (ANSI, UTF-8) and on UTF-16 text alike.
#include <optional>
#include <string>
#include <string_view>

// The value of key in section: trimmed, one pair of enclosing quotes removed; none when the
// section or key is missing. Names compare without regard to ASCII case.
template <class Char>
std::optional<std::basic_string<Char>> ReadProfileValue(std::basic_string_view<Char> text,
                                                        std::basic_string_view<Char> section,
                                                        std::basic_string_view<Char> key);

// text with key of section set to value (cut at its first line break, which a profile value
// cannot hold): the key's line changed in place, else a key line added after the section's
// last non-blank line, else the section appended at the end.
template <class Char>
std::basic_string<Char> WriteProfileValue(std::basic_string_view<Char> text, std::basic_string_view<Char> section,
                                          std::basic_string_view<Char> key, std::basic_string_view<Char> value);
