#include "platform/profile.h"

#include <windows.h>

#include <optional>
#include <string_view>

#include "platform/profile_text.h"
#include "ui/win_handles.h"

namespace {

constexpr std::string_view Utf16Mark = "\xFF\xFE";
constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

// A profile file's bytes split into its byte-order mark and its text.
struct TProfileBytes {
  std::string_view Mark;
  std::string Text;
};

std::optional<std::string> ReadAllBytes(const std::wstring& file) {
  TKernelHandle handle(::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (handle.get() == INVALID_HANDLE_VALUE) {
    handle.release();
    return std::nullopt;
  }
  std::string bytes;
  char chunk[65536];
  DWORD got = 0;
  while (::ReadFile(handle.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  return bytes;
}

bool WriteAllBytes(const std::wstring& file, std::string_view bytes) {
  TKernelHandle handle(::CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
  if (handle.get() == INVALID_HANDLE_VALUE) {
    handle.release();
    return false;
  }
  while (!bytes.empty()) {
    const DWORD portion = static_cast<DWORD>(bytes.size() < 65536 ? bytes.size() : 65536);
    DWORD written = 0;
    if (!::WriteFile(handle.get(), bytes.data(), portion, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return ::SetEndOfFile(handle.get()) != FALSE;
}

TProfileBytes Split(std::string bytes) {
  for (std::string_view mark : {Utf16Mark, Utf8Mark}) {
    if (std::string_view(bytes).substr(0, mark.size()) == mark) return {mark, bytes.substr(mark.size())};
  }
  return {{}, std::move(bytes)};
}

UINT CodePageOf(const TProfileBytes& file) { return file.Mark == Utf8Mark ? CP_UTF8 : CP_ACP; }

std::string Narrow(std::wstring_view text, UINT codePage) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  std::string result(::WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr), '\0');
  ::WideCharToMultiByte(codePage, 0, text.data(), length, result.data(), static_cast<int>(result.size()), nullptr,
                        nullptr);
  return result;
}

std::wstring Widen(std::string_view text, UINT codePage) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  std::wstring result(::MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0), L'\0');
  ::MultiByteToWideChar(codePage, 0, text.data(), length, result.data(), static_cast<int>(result.size()));
  return result;
}

// UTF-16 text as little-endian bytes and back; an odd last byte stays where it was.
std::wstring Utf16Text(std::string_view bytes) {
  std::wstring text(bytes.size() / 2, L'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                   (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  }
  return text;
}

std::string Utf16Bytes(std::wstring_view text, std::string_view oddByte) {
  std::string bytes;
  bytes.reserve(text.size() * 2 + oddByte.size());
  for (wchar_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>((c >> 8) & 0xFF);
  }
  return bytes.append(oddByte);
}

}  // namespace

std::wstring ReadProfileKey(const std::wstring& file, const std::wstring& section, const std::wstring& key) {
  std::optional<std::string> bytes = ReadAllBytes(file);
  if (!bytes) return {};
  const TProfileBytes content = Split(std::move(*bytes));
  if (content.Mark == Utf16Mark) {
    const std::wstring text = Utf16Text(content.Text);
    return ReadProfileValue<wchar_t>(text, section, key).value_or(std::wstring());
  }
  const UINT codePage = CodePageOf(content);
  const std::optional<std::string> value =
      ReadProfileValue<char>(content.Text, Narrow(section, codePage), Narrow(key, codePage));
  return value ? Widen(*value, codePage) : std::wstring();
}

bool WriteProfileKey(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                     const std::wstring& value) {
  // Checked here because a process with enough rights could otherwise overwrite the file.
  const DWORD attributes = ::GetFileAttributesW(file.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) return false;
  std::optional<std::string> bytes = ReadAllBytes(file);
  if (exists && !bytes) return false;  // unreadable: rewriting it would lose its content
  const TProfileBytes content = Split(bytes.value_or(std::string()));
  std::string result(content.Mark);
  if (content.Mark == Utf16Mark) {
    const std::wstring text = Utf16Text(content.Text);
    const std::string_view oddByte = std::string_view(content.Text).substr(text.size() * 2);
    result += Utf16Bytes(WriteProfileValue<wchar_t>(text, section, key, value), oddByte);
  } else {
    const UINT codePage = CodePageOf(content);
    result += WriteProfileValue<char>(content.Text, Narrow(section, codePage), Narrow(key, codePage),
                                      Narrow(value, codePage));
  }
  return WriteAllBytes(file, result);
}
