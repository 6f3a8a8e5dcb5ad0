#include "platform/file_system_win.h"

#include <windows.h>
#include <winnetwk.h>

#include <vector>

#include "base/text.h"
#include "base/win_handles.h"

namespace {

// Absolute paths near or beyond MAX_PATH only work in the "\\?\" form for the
// attribute and find calls.
std::wstring LongPathForm(const std::wstring& path) {
  constexpr std::size_t kShortEnough = 240;
  if (path.size() < kShortEnough) return path;
  if (path.size() > 2 && path[1] == L':' && path[2] == L'\\') return L"\\\\?\\" + path;
  if (path.rfind(L"\\\\", 0) == 0 && path.rfind(L"\\\\?\\", 0) != 0) return L"\\\\?\\UNC\\" + path.substr(2);
  return path;
}

DWORD AttributesOf(const std::wstring& path) { return ::GetFileAttributesW(LongPathForm(path).c_str()); }

int CheckedLength(std::size_t size) { return static_cast<int>(size); }

std::wstring MapCase(std::wstring_view text, DWORD flag) {
  if (text.empty()) return {};
  const int size = ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flag, text.data(), CheckedLength(text.size()), nullptr, 0,
                                   nullptr, nullptr, 0);
  std::wstring result(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
  if (size > 0)
    ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flag, text.data(), CheckedLength(text.size()), result.data(), size,
                    nullptr, nullptr, 0);
  return size > 0 ? result : std::wstring(text);
}

int LocaleCompare(std::wstring_view a, std::wstring_view b, DWORD flags) {
  const int r = ::CompareStringEx(LOCALE_NAME_USER_DEFAULT, flags, a.data(), CheckedLength(a.size()), b.data(),
                                  CheckedLength(b.size()), nullptr, nullptr, 0);
  return r == 0 ? a.compare(b) : r - CSTR_EQUAL;
}

bool IsBareDrive(const std::wstring& path) {
  return path.size() == 2 && path[1] == L':' &&
         ((path[0] >= L'a' && path[0] <= L'z') || (path[0] >= L'A' && path[0] <= L'Z'));
}

// The platform keeps one current folder per process; the per-drive ones live in the
// hidden "=X:" variables, which only command shells and the C runtime maintain. Keeping
// them here gives every drive its own current folder for the lists.
std::wstring DriveVariable(wchar_t letter) { return {L'=', AsciiUpper(letter), L':'}; }

std::wstring DriveCurrentFolder(wchar_t letter) {
  const std::wstring name = DriveVariable(letter);
  const DWORD needed = ::GetEnvironmentVariableW(name.c_str(), nullptr, 0);
  if (needed == 0) return {AsciiUpper(letter), L':', L'\\'};
  std::wstring folder(needed, L'\0');
  folder.resize(::GetEnvironmentVariableW(name.c_str(), folder.data(), needed));
  return folder;
}

void RememberDriveCurrentFolder(const std::wstring& folder) {
  if (folder.size() >= 2 && folder[1] == L':')
    ::SetEnvironmentVariableW(DriveVariable(folder[0]).c_str(), folder.c_str());
}

}  // namespace

std::uint32_t TWinFileSystem::LogicalDrives() { return ::GetLogicalDrives(); }

TDriveType TWinFileSystem::DriveType(const std::wstring& root) {
  switch (::GetDriveTypeW(root.c_str())) {
    case DRIVE_NO_ROOT_DIR: return TDriveType::NoRootDir;
    case DRIVE_REMOVABLE: return TDriveType::Removable;
    case DRIVE_FIXED: return TDriveType::Fixed;
    case DRIVE_REMOTE: return TDriveType::Remote;
    case DRIVE_CDROM: return TDriveType::CDRom;
    case DRIVE_RAMDISK: return TDriveType::RamDisk;
    default: return TDriveType::Unknown;
  }
}

std::optional<TVolumeInformation> TWinFileSystem::VolumeInformation(const std::wstring& root) {
  wchar_t label[MAX_PATH + 1] = {};
  DWORD flags = 0;
  if (!::GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, &flags, nullptr, 0))
    return std::nullopt;
  return TVolumeInformation{label, (flags & FILE_CASE_PRESERVED_NAMES) != 0, (flags & FILE_CASE_SENSITIVE_SEARCH) != 0};
}

TRemoteName TWinFileSystem::RemoteName(const std::wstring& drive, std::size_t bufferSize) {
  std::vector<wchar_t> buffer(bufferSize + 1, L'\0');
  DWORD size = static_cast<DWORD>(bufferSize);
  switch (::WNetGetConnectionW(drive.c_str(), buffer.data(), &size)) {
    case NO_ERROR: return {TRemoteName::Ok, buffer.data(), 0};
    case ERROR_MORE_DATA: return {TRemoteName::BufferTooSmall, {}, size};
    default: return {};
  }
}

unsigned TWinFileSystem::CriticalErrorsOff() { return ::SetErrorMode(SEM_FAILCRITICALERRORS); }

void TWinFileSystem::RestoreErrorMode(unsigned mode) { ::SetErrorMode(mode); }

unsigned TWinFileSystem::SetCurrentFolder(const std::wstring& path) {
  const std::wstring target = IsBareDrive(path) ? DriveCurrentFolder(path[0]) : path;
  if (!::SetCurrentDirectoryW(target.c_str())) return ::GetLastError();
  RememberDriveCurrentFolder(CurrentFolder());
  return 0;
}

std::wstring TWinFileSystem::CurrentFolder() {
  // The folder may change length between the two calls only if another thread moves it;
  // loop until the answer fits.
  std::wstring folder;
  DWORD needed = ::GetCurrentDirectoryW(0, nullptr);
  while (needed > 0) {
    folder.resize(needed);
    const DWORD written = ::GetCurrentDirectoryW(needed, folder.data());
    if (written < needed) {
      folder.resize(written);
      return folder;
    }
    needed = written;
  }
  return {};
}

bool TWinFileSystem::FolderExists(const std::wstring& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool TWinFileSystem::FileExists(const std::wstring& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void TWinFileSystem::ListEntries(const std::wstring& pattern, bool foldersOnly, const TFoundEntry& found) {
  WIN32_FIND_DATAW data;
  // A failed search holds INVALID_HANDLE_VALUE, which TFindHandle takes as holding nothing.
  const TFindHandle find(::FindFirstFileExW(LongPathForm(pattern).c_str(), FindExInfoBasic, &data,
                                            foldersOnly ? FindExSearchLimitToDirectories : FindExSearchNameMatch,
                                            nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!find) return;
  do {
    found(data.cFileName, data.dwFileAttributes);
  } while (::FindNextFileW(find.Get(), &data));
}

int TWinCollation::Compare(std::wstring_view a, std::wstring_view b) const { return LocaleCompare(a, b, 0); }

int TWinCollation::CompareIgnoreCase(std::wstring_view a, std::wstring_view b) const {
  return LocaleCompare(a, b, NORM_IGNORECASE);
}

std::string TWinCollation::SortKeyIgnoreCase(std::wstring_view text) const {
  if (text.empty()) return {};
  constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
  const int size = ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kFlags, text.data(), CheckedLength(text.size()), nullptr,
                                   0, nullptr, nullptr, 0);
  if (size <= 0) return {};
  std::string key(static_cast<std::size_t>(size), '\0');
  ::LCMapStringEx(LOCALE_NAME_USER_DEFAULT, kFlags, text.data(), CheckedLength(text.size()),
                  reinterpret_cast<LPWSTR>(key.data()), size, nullptr, nullptr, 0);
  key.pop_back();  // the terminating zero byte adds nothing to the order
  return key;
}

std::wstring TWinCollation::ToLower(std::wstring_view text) const { return MapCase(text, LCMAP_LOWERCASE); }

std::wstring TWinCollation::ToUpper(std::wstring_view text) const { return MapCase(text, LCMAP_UPPERCASE); }
