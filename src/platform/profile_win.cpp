#include "platform/profile.h"

#include <windows.h>

#include <optional>
#include <string_view>

#include "base/text.h"
#include "base/win_handles.h"
#include "platform/profile_text.h"

namespace {

std::optional<std::string> Narrow(std::wstring_view text, UINT codePage) {
  if (codePage == CP_UTF8) return EncodeUtf8(text);
  if (text.empty()) return std::string();
  const int length = static_cast<int>(text.size());
  // Best-fit mappings would store a look-alike character instead of the one given.
  const int size =
      ::WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::nullopt;
  std::string result(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(), length, result.data(), size, nullptr, nullptr);
  return result;
}

std::wstring Widen(std::string_view text, UINT codePage) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  std::wstring result(static_cast<std::size_t>(::MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0)),
                      L'\0');
  ::MultiByteToWideChar(codePage, 0, text.data(), length, result.data(), static_cast<int>(result.size()));
  return result;
}

// The text in codePage, only when it reads back as the same text.
std::optional<std::string> NarrowExactly(std::wstring_view text, UINT codePage) {
  std::optional<std::string> narrow = Narrow(text, codePage);
  if (!narrow || Widen(*narrow, codePage) != text) return std::nullopt;
  return narrow;
}

bool IsUtf16(TProfileEncoding encoding) {
  return encoding == TProfileEncoding::Utf16LE || encoding == TProfileEncoding::Utf16BE;
}

UINT CodePageOf(TProfileEncoding encoding) { return encoding == TProfileEncoding::Utf8 ? CP_UTF8 : CP_ACP; }

// The whole text of a file that is not UTF-16.
std::wstring WideText(const TProfileBytes& file) {
  return IsUtf16(file.Encoding) ? Utf16Text(file.Body, file.Encoding) : Widen(file.Body, CodePageOf(file.Encoding));
}

std::string Utf16FileBytes(const TProfileBytes& file, std::wstring_view text) {
  // An odd last byte is no character; it stays where it was.
  const std::string_view oddByte = std::string_view(file.Body).substr(file.Body.size() / 2 * 2);
  return file.Mark + Utf16Bytes(text, file.Encoding) + std::string(oddByte);
}

// The file's bytes with key set to value: edited in the file's own encoding while that can
// hold the value, so foreign lines keep their bytes; otherwise the text goes over to UTF-16.
std::string UpdatedProfile(TProfileBytes file, const std::wstring& section, const std::wstring& key,
                           const std::wstring& value) {
  if (IsUtf16(file.Encoding)) {
    const std::wstring text = Utf16Text(file.Body, file.Encoding);
    return Utf16FileBytes(file, WriteProfileValue<wchar_t>(text, section, key, value));
  }
  const UINT codePage = CodePageOf(file.Encoding);
  const std::optional<std::string> narrowSection = NarrowExactly(section, codePage);
  const std::optional<std::string> narrowKey = NarrowExactly(key, codePage);
  const std::optional<std::string> narrowValue = NarrowExactly(value, codePage);
  if (narrowSection && narrowKey && narrowValue)
    return file.Mark + WriteProfileValue<char>(file.Body, *narrowSection, *narrowKey, *narrowValue);
  const std::wstring text = WideText(file);
  file = TProfileBytes{TProfileEncoding::Utf16LE, "\xFF\xFE", {}};
  return Utf16FileBytes(file, WriteProfileValue<wchar_t>(text, section, key, value));
}

class TFileProfileStorage final : public IProfileStorage {
 public:
  TRead ReadAll(const std::wstring& path, std::string& bytes) override {
    const TFileHandle handle(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle) {
      const DWORD error = ::GetLastError();
      return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? TRead::Missing : TRead::Failed;
    }
    bytes.clear();
    char chunk[65536];
    for (;;) {
      DWORD got = 0;
      if (!::ReadFile(handle.Get(), chunk, sizeof chunk, &got, nullptr)) return TRead::Failed;
      if (got == 0) return TRead::Done;
      bytes.append(chunk, got);
    }
  }

  bool MayReplace(const std::wstring& path) override {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES ||
           (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) == 0;
  }

  std::wstring CreateTemporaryBeside(const std::wstring& path) override {
    // Named after the file, so that one left by a crash tells where it came from.
    static unsigned attempt = 0;
    const unsigned start = ::GetCurrentProcessId() * 7919u + ::GetTickCount();
    for (int tries = 0; tries < 100; ++tries) {
      const unsigned number = start + attempt++;
      std::wstring name = path + L".";
      for (int shift = 28; shift >= 0; shift -= 4) name += L"0123456789abcdef"[(number >> shift) & 0xF];
      name += L".tmp";
      const TFileHandle handle(
          ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
      if (handle) return name;
      if (::GetLastError() != ERROR_FILE_EXISTS) return {};
    }
    return {};
  }

  bool WriteAndFlush(const std::wstring& path, std::string_view bytes) override {
    const TFileHandle handle(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle) return false;
    while (!bytes.empty()) {
      const DWORD portion = static_cast<DWORD>(bytes.size() < 65536 ? bytes.size() : 65536);
      DWORD written = 0;
      if (!::WriteFile(handle.Get(), bytes.data(), portion, &written, nullptr) || written == 0) return false;
      bytes.remove_prefix(written);
    }
    return ::FlushFileBuffers(handle.Get()) != FALSE;
  }

  bool Replace(const std::wstring& replacement, const std::wstring& target) override {
    if (::GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES &&
        ::ReplaceFileW(target.c_str(), replacement.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
      return true;
    // A new file, or a file system without ReplaceFile: a rename in one step still keeps
    // the old file whole until the new one is in place.
    return ::MoveFileExW(replacement.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
           FALSE;
  }

  void Remove(const std::wstring& path) override { ::DeleteFileW(path.c_str()); }
};

}  // namespace

// The new content is written beside the file and then takes its place, so the file is
// either wholly old or wholly new whatever happens in between.
bool SaveThroughTemporary(IProfileStorage& storage, const std::wstring& file, std::string_view bytes) {
  const std::wstring temporary = storage.CreateTemporaryBeside(file);
  if (temporary.empty()) return false;
  if (storage.WriteAndFlush(temporary, bytes) && storage.Replace(temporary, file)) return true;
  storage.Remove(temporary);
  return false;
}

IProfileStorage& FileProfileStorage() {
  static TFileProfileStorage storage;
  return storage;
}

std::wstring ReadProfileKey(const std::wstring& file, const std::wstring& section, const std::wstring& key) {
  std::string bytes;
  if (FileProfileStorage().ReadAll(file, bytes) != IProfileStorage::TRead::Done) return {};
  const TProfileBytes content = SplitProfileBytes(std::move(bytes));
  if (IsUtf16(content.Encoding))
    return ReadProfileValue<wchar_t>(Utf16Text(content.Body, content.Encoding), section, key).value_or(L"");
  const UINT codePage = CodePageOf(content.Encoding);
  const std::optional<std::string> narrowSection = Narrow(section, codePage), narrowKey = Narrow(key, codePage);
  if (!narrowSection || !narrowKey) return {};
  const std::optional<std::string> value = ReadProfileValue<char>(content.Body, *narrowSection, *narrowKey);
  return value ? Widen(*value, codePage) : std::wstring();
}

bool WriteProfileKey(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                     const std::wstring& value, IProfileStorage& storage) {
  if (!storage.MayReplace(file)) return false;
  std::string bytes;
  // An unreadable file is never rewritten: what could not be read would be lost.
  if (storage.ReadAll(file, bytes) == IProfileStorage::TRead::Failed) return false;
  return SaveThroughTemporary(storage, file, UpdatedProfile(SplitProfileBytes(std::move(bytes)), section, key, value));
}
