// The settings file's reader and line editor on any text: setting one key changes only
// that key's line (or adds lines), and the key then reads back as set.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "platform/profile_text.h"

namespace {

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A name or value as the file format can hold it: one line, no blanks around it.
std::string OneLine(std::string text) {
  std::erase_if(text, IsLineBreak);
  while (!text.empty() && IsBlank(text.front())) text.erase(0, 1);
  while (!text.empty() && IsBlank(text.back())) text.pop_back();
  return text;
}

bool UsableName(const std::string& name, std::string_view forbidden) {
  return !name.empty() && name.find_first_of(forbidden) == std::string::npos && name.front() != '[' &&
         name.front() != ';';
}

template <class Char>
void Check(std::basic_string_view<Char> text, std::basic_string_view<Char> section, std::basic_string_view<Char> key,
           std::basic_string_view<Char> value) {
  (void)ReadProfileValue(text, section, key);
  const std::basic_string<Char> written = WriteProfileValue(text, section, key, value);
  if (ReadProfileValue<Char>(written, section, key) != std::basic_string<Char>(value)) std::abort();
  // What differs between the texts lies inside one line of the old text.
  std::size_t prefix = 0;
  while (prefix < text.size() && prefix < written.size() && text[prefix] == written[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < text.size() - prefix && suffix < written.size() - prefix &&
         text[text.size() - 1 - suffix] == written[written.size() - 1 - suffix])
    ++suffix;
  for (std::size_t i = prefix; i < text.size() - suffix; ++i)
    if (text[i] == Char('\r') || text[i] == Char('\n')) std::abort();
}

std::wstring Widen(std::string_view text) {
  std::wstring wide;
  for (const char c : text) wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return wide;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TFuzzInput input(data, size);
  const std::string section = OneLine(input.Text(16));
  const std::string key = OneLine(input.Text(16));
  std::string value = OneLine(input.Text(64));
  const std::string_view text = input.Rest();

  // The file's bytes in any encoding split and come back whole.
  const TProfileBytes file = SplitProfileBytes(std::string(text));
  if (file.Encoding == TProfileEncoding::Utf16LE || file.Encoding == TProfileEncoding::Utf16BE) {
    const std::string even = file.Body.substr(0, file.Body.size() / 2 * 2);
    if (Utf16Bytes(Utf16Text(file.Body, file.Encoding), file.Encoding) != even) std::abort();
  }
  if (file.Mark + file.Body != text) std::abort();

  // A value in one pair of quotes reads back without them, as the platform reads it.
  const bool quoted =
      value.size() >= 2 && value.front() == value.back() && (value.front() == '"' || value.front() == '\'');
  if (quoted || !UsableName(section, "]") || !UsableName(key, "=")) return 0;
  Check<char>(text, section, key, value);
  const std::wstring wideText = Widen(text);
  Check<wchar_t>(wideText, Widen(section), Widen(key), Widen(value));
  return 0;
}
