#pragma once
// Profile (INI) text read the way the profile API reads it, and edited so that only the one
// line holding the key changes: foreign sections, comments, blank and odd lines keep every
// byte. Works on 8-bit text (ANSI, UTF-8) and on UTF-16 text alike.
#include <cstdint>
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

// How a profile file's bytes hold its text.
enum class TProfileEncoding : std::uint8_t { Ansi, Utf8, Utf16LE, Utf16BE };

// A profile file's bytes split into its byte-order mark (possibly none) and its body.
struct TProfileBytes {
  TProfileEncoding Encoding = TProfileEncoding::Ansi;
  std::string Mark;
  std::string Body;
};

// A byte-order mark decides the encoding. Without one, UTF-16 is recognised by its zero
// bytes (profile text is mostly ASCII, so every other byte of UTF-16 text is zero); anything
// else is ANSI.
TProfileBytes SplitProfileBytes(std::string bytes);
// UTF-16 bytes and text; an odd last byte is not part of the text and is kept by the caller.
std::wstring Utf16Text(std::string_view body, TProfileEncoding encoding);
std::string Utf16Bytes(std::wstring_view text, TProfileEncoding encoding);
