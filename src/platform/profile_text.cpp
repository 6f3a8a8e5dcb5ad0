#include "platform/profile_text.h"

#include <cstddef>
#include <utility>

namespace {

template <class Char>
using View = std::basic_string_view<Char>;

template <class Char>
bool IsBlank(Char c) {
  return c == Char(' ') || c == Char('\t');
}

template <class Char>
bool IsLineBreak(Char c) {
  return c == Char('\r') || c == Char('\n');
}

template <class Char>
Char FoldAscii(Char c) {
  return c >= Char('A') && c <= Char('Z') ? Char(c - Char('A') + Char('a')) : c;
}

template <class Char>
bool SameName(View<Char> a, View<Char> b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

// [Begin, End) of a line's content, spaces and tabs trimmed at both ends.
struct TSpan {
  std::size_t Begin;
  std::size_t End;
};

template <class Char>
TSpan Trimmed(View<Char> text, TSpan span) {
  while (span.Begin < span.End && IsBlank(text[span.Begin])) ++span.Begin;
  while (span.End > span.Begin && IsBlank(text[span.End - 1])) --span.End;
  return span;
}

// One line of the text: its content, the position after its line break, and for key lines
// the key and where the value starts (right after the "=").
struct TLine {
  TSpan Content;
  std::size_t End;  // before the line break
  std::size_t Next;
  bool IsSection = false;
  bool IsKey = false;
  TSpan Name{};
  std::size_t ValueStart = 0;
};

template <class Char>
TLine ParseLine(View<Char> text, std::size_t begin) {
  std::size_t end = begin;
  while (end < text.size() && !IsLineBreak(text[end])) ++end;
  std::size_t next = end;
  if (next < text.size())
    next += (text[next] == Char('\r') && next + 1 < text.size() && text[next + 1] == Char('\n')) ? 2 : 1;
  TLine line{Trimmed(text, TSpan{begin, end}), end, next};
  const TSpan& c = line.Content;
  if (c.Begin == c.End) return line;
  if (text[c.Begin] == Char('[')) {
    const std::size_t close = text.substr(0, c.End).find(Char(']'), c.Begin);
    if (close != View<Char>::npos) {
      line.IsSection = true;
      line.Name = Trimmed(text, TSpan{c.Begin + 1, close});
    }
    return line;
  }
  if (text[c.Begin] == Char(';')) return line;  // a comment, even when it holds "="
  const std::size_t equals = text.substr(0, c.End).find(Char('='), c.Begin);
  if (equals != View<Char>::npos) {
    line.IsKey = true;
    line.Name = Trimmed(text, TSpan{c.Begin, equals});
    line.ValueStart = equals + 1;
  }
  return line;
}

template <class Char>
View<Char> Slice(View<Char> text, TSpan span) {
  return text.substr(span.Begin, span.End - span.Begin);
}

// What a search for section/key found: the key's line, or else the place after the first
// matching section's last non-blank line.
struct TLocation {
  std::optional<TLine> Key;
  std::optional<std::size_t> SectionEnd;
};

template <class Char>
TLocation Locate(View<Char> text, View<Char> section, View<Char> key) {
  TLocation found;
  bool inSection = false;
  bool inFirstSection = false;
  for (std::size_t pos = 0; pos < text.size();) {
    const TLine line = ParseLine(text, pos);
    pos = line.Next;
    if (line.IsSection) {
      inSection = SameName(Slice(text, line.Name), section);
      inFirstSection = inSection && !found.SectionEnd;
      if (inFirstSection) found.SectionEnd = line.Next;
      continue;
    }
    if (!inSection) continue;
    if (line.IsKey && SameName(Slice(text, line.Name), key)) {
      found.Key = line;
      return found;
    }
    if (inFirstSection && line.Content.Begin != line.Content.End) found.SectionEnd = line.Next;
  }
  return found;
}

template <class Char>
std::basic_string<Char> LineBreakOf(View<Char> text) {
  const std::size_t at = text.find_first_of(View<Char>(std::basic_string<Char>{Char('\r'), Char('\n')}));
  if (at == View<Char>::npos) return {Char('\r'), Char('\n')};
  if (text[at] == Char('\n')) return {Char('\n')};
  if (at + 1 < text.size() && text[at + 1] == Char('\n')) return {Char('\r'), Char('\n')};
  return {Char('\r')};
}

}  // namespace

template <class Char>
std::optional<std::basic_string<Char>> ReadProfileValue(View<Char> text, View<Char> section, View<Char> key) {
  const TLocation found = Locate(text, section, key);
  if (!found.Key) return std::nullopt;
  View<Char> value = Slice(text, Trimmed(text, TSpan{found.Key->ValueStart, found.Key->Content.End}));
  if (value.size() >= 2 && value.front() == value.back() &&
      (value.front() == Char('"') || value.front() == Char('\''))) {
    value = value.substr(1, value.size() - 2);
  }
  return std::basic_string<Char>(value);
}

template <class Char>
std::basic_string<Char> WriteProfileValue(View<Char> text, View<Char> section, View<Char> key, View<Char> value) {
  value = value.substr(0, value.find_first_of(View<Char>(std::basic_string<Char>{Char('\r'), Char('\n')})));
  const TLocation found = Locate(text, section, key);
  // Built by appending the pieces around the change: the rest of the text is copied as it is.
  std::basic_string<Char> result;
  if (found.Key) {
    result.append(text.substr(0, found.Key->ValueStart)).append(value).append(text.substr(found.Key->End));
    return result;
  }
  const std::basic_string<Char> lineBreak = LineBreakOf(text);
  const std::size_t at = found.SectionEnd.value_or(text.size());
  result.append(text.substr(0, at));
  // The line before the insertion point may be the last one, without a line break.
  if (at > 0 && !IsLineBreak(text[at - 1])) result.append(lineBreak);
  if (!found.SectionEnd) result.append(1, Char('[')).append(section).append(1, Char(']')).append(lineBreak);
  result.append(key).append(1, Char('=')).append(value).append(lineBreak);
  result.append(text.substr(at));
  return result;
}

template std::optional<std::string> ReadProfileValue<char>(View<char>, View<char>, View<char>);
template std::optional<std::wstring> ReadProfileValue<wchar_t>(View<wchar_t>, View<wchar_t>, View<wchar_t>);
template std::string WriteProfileValue<char>(View<char>, View<char>, View<char>, View<char>);
template std::wstring WriteProfileValue<wchar_t>(View<wchar_t>, View<wchar_t>, View<wchar_t>, View<wchar_t>);

namespace {

constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// UTF-16 text without a mark: most characters of a profile are ASCII, whose high byte is zero.
std::optional<TProfileEncoding> Utf16WithoutMark(std::string_view bytes) {
  const std::size_t cells = bytes.size() / 2;
  std::size_t zeroLow = 0, zeroHigh = 0;  // as little-endian cells
  for (std::size_t i = 0; i < cells; ++i) {
    if (bytes[2 * i] == '\0') ++zeroLow;
    if (bytes[2 * i + 1] == '\0') ++zeroHigh;
  }
  if (cells == 0) return std::nullopt;
  if (zeroHigh * 2 >= cells && zeroHigh > zeroLow) return TProfileEncoding::Utf16LE;
  if (zeroLow * 2 >= cells && zeroLow > zeroHigh) return TProfileEncoding::Utf16BE;
  return std::nullopt;
}

}  // namespace

TProfileBytes SplitProfileBytes(std::string bytes) {
  const std::string_view view(bytes);
  for (const auto& [mark, encoding] :
       {std::pair{kUtf16LEMark, TProfileEncoding::Utf16LE}, std::pair{kUtf16BEMark, TProfileEncoding::Utf16BE},
        std::pair{kUtf8Mark, TProfileEncoding::Utf8}}) {
    if (view.substr(0, mark.size()) == mark) return {encoding, std::string(mark), bytes.substr(mark.size())};
  }
  const TProfileEncoding encoding = Utf16WithoutMark(view).value_or(TProfileEncoding::Ansi);
  return {encoding, {}, std::move(bytes)};
}

std::wstring Utf16Text(std::string_view body, TProfileEncoding encoding) {
  const bool bigEndian = encoding == TProfileEncoding::Utf16BE;
  std::wstring text(body.size() / 2, L'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned first = static_cast<unsigned char>(body[2 * i]);
    const unsigned second = static_cast<unsigned char>(body[2 * i + 1]);
    text[i] = static_cast<wchar_t>(bigEndian ? (first << 8) | second : first | (second << 8));
  }
  return text;
}

std::string Utf16Bytes(std::wstring_view text, TProfileEncoding encoding) {
  const bool bigEndian = encoding == TProfileEncoding::Utf16BE;
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (const wchar_t c : text) {
    const char low = static_cast<char>(c & 0xFF), high = static_cast<char>((c >> 8) & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}
