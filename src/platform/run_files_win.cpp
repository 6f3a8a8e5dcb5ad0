#include "platform/run_files.h"

#include <windows.h>
#include <bcrypt.h>
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "base/errors.h"
#include "base/win_handles.h"
#include "platform/profile_storage.h"

namespace {

void FreeTaskMemory(wchar_t* text) { ::CoTaskMemFree(text); }
void CloseAlgorithm(BCRYPT_ALG_HANDLE algorithm) { ::BCryptCloseAlgorithmProvider(algorithm, 0); }
void DestroyHash(BCRYPT_HASH_HANDLE hash) { ::BCryptDestroyHash(hash); }

using TTaskText = TOwned<wchar_t*, FreeTaskMemory>;
using TAlgorithmHandle = TOwned<BCRYPT_ALG_HANDLE, CloseAlgorithm>;
using THashHandle = TOwned<BCRYPT_HASH_HANDLE, DestroyHash>;

constexpr DWORD kChunkSize = 64 * 1024;

std::wstring SystemErrorText(DWORD error) {
  TLocalMemory<wchar_t*> text;
  DWORD length =
      ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(text.Put()), 0, nullptr);
  // The system's texts end in a line break, which would only add an empty line to a message.
  while (length > 0 && (text.Get()[length - 1] == L'\n' || text.Get()[length - 1] == L'\r')) --length;
  return length ? std::wstring(text.Get(), length) : L"system error " + std::to_wstring(error);
}

// "<what failed>: <the system's reason>", raised as the program's file error.
[[noreturn]] void RaiseFileError(const std::wstring& failed, DWORD error) {
  throw EInOutError(failed + L": " + SystemErrorText(error), static_cast<int>(error));
}

[[noreturn]] void RaiseHashError(const std::wstring& path, NTSTATUS status) {
  throw EInOutError(L"Could not compute the SHA-256 of " + path + L" (status " + std::to_wstring(status) + L")",
                    static_cast<int>(status));
}

bool IsDotEntry(const WIN32_FIND_DATAW& entry) {
  return std::wstring_view(entry.cFileName) == L"." || std::wstring_view(entry.cFileName) == L"..";
}

bool IsFolder(const WIN32_FIND_DATAW& entry) { return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// A linked folder is followed neither for its size nor when removing: it is not the run's.
bool IsLinkedFolder(const WIN32_FIND_DATAW& entry) {
  return IsFolder(entry) && (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// The entries of folder (with its trailing "\"), "." and ".." left out.
std::vector<WIN32_FIND_DATAW> EntriesOf(const std::wstring& folder) {
  std::vector<WIN32_FIND_DATAW> entries;
  WIN32_FIND_DATAW entry{};
  const TFindHandle find(
      ::FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0));
  if (!find) return entries;
  do {
    if (!IsDotEntry(entry)) entries.push_back(entry);
  } while (::FindNextFileW(find.Get(), &entry));
  return entries;
}

std::uint64_t Joined(DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; }

std::uint64_t FolderBytes(const std::wstring& folder) {
  std::uint64_t bytes = 0;
  for (const WIN32_FIND_DATAW& entry : EntriesOf(folder)) {
    if (!IsFolder(entry))
      bytes += Joined(entry.nFileSizeHigh, entry.nFileSizeLow);
    else if (!IsLinkedFolder(entry))
      bytes += FolderBytes(folder + entry.cFileName + L"\\");
  }
  return bytes;
}

// Removes folder (with its trailing "\") and everything in it.
void RemoveFolder(const std::wstring& folder) {
  for (const WIN32_FIND_DATAW& entry : EntriesOf(folder)) {
    const std::wstring path = folder + entry.cFileName;
    if (IsFolder(entry) && !IsLinkedFolder(entry)) {
      RemoveFolder(path + L"\\");
    } else if (IsFolder(entry)) {
      if (!::RemoveDirectoryW(path.c_str())) RaiseFileError(L"Could not remove " + path, ::GetLastError());
    } else {
      RemoveBackup(path);
    }
  }
  if (!::RemoveDirectoryW(folder.c_str())) RaiseFileError(L"Could not remove " + folder, ::GetLastError());
}

TFileHandle OpenForReading(const std::wstring& path) {
  TFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) RaiseFileError(L"Could not read " + path, ::GetLastError());
  return file;
}

// Opened once: every hash of the process, on any thread, comes from the same provider.
BCRYPT_ALG_HANDLE Sha256Algorithm() {
  static const TAlgorithmHandle algorithm = [] {
    TAlgorithmHandle opened;
    const NTSTATUS status = ::BCryptOpenAlgorithmProvider(opened.Put(), BCRYPT_SHA256_ALGORITHM, nullptr, 0);
    if (status < 0) RaiseHashError(L"files", status);
    return opened;
  }();
  return algorithm.Get();
}

std::wstring LowerHex(const UCHAR* bytes, std::size_t count) {
  std::wstring hex;
  for (std::size_t i = 0; i < count; ++i) {
    hex += L"0123456789abcdef"[bytes[i] >> 4];
    hex += L"0123456789abcdef"[bytes[i] & 0xF];
  }
  return hex;
}

// Opened to be copied: others may read it meanwhile, but not write it.
TFileHandle OpenToCopy(const std::wstring& path) {
  return TFileHandle(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

// Copies the open source, last written at lastWrite, to the file to, which keeps that time;
// the copy is on the disk before anything relies on it. The system's error code, or
// ERROR_SUCCESS.
DWORD CopyToDisk(HANDLE source, const FILETIME& lastWrite, const std::wstring& to, bool failIfExists) {
  const TFileHandle target(::CreateFileW(to.c_str(), GENERIC_WRITE, 0, nullptr,
                                         failIfExists ? CREATE_NEW : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!target) return ::GetLastError();
  std::vector<char> chunk(kChunkSize);
  // A disk file reads short only at its end.
  for (DWORD got = kChunkSize; got == kChunkSize;) {
    if (!::ReadFile(source, chunk.data(), kChunkSize, &got, nullptr)) return ::GetLastError();
    DWORD written = 0;
    if (!::WriteFile(target.Get(), chunk.data(), got, &written, nullptr)) return ::GetLastError();
    if (written != got) return ERROR_HANDLE_DISK_FULL;
  }
  // A file put back is as it was, its time included.
  return ::SetFileTime(target.Get(), nullptr, nullptr, &lastWrite) && ::FlushFileBuffers(target.Get())
             ? ERROR_SUCCESS
             : ::GetLastError();
}

TFileStamp StampOf(DWORD sizeHigh, DWORD sizeLow, const FILETIME& lastWrite) {
  return {Joined(sizeHigh, sizeLow), Joined(lastWrite.dwHighDateTime, lastWrite.dwLowDateTime)};
}

// True for an empty or missing file, or one whose last byte is a line feed.
bool EndsInLineFeed(const std::wstring& path) {
  const TFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
  LARGE_INTEGER size{};
  if (!file || !::GetFileSizeEx(file.Get(), &size) || size.QuadPart == 0) return true;
  LARGE_INTEGER last{};
  last.QuadPart = size.QuadPart - 1;
  char byte = 0;
  DWORD got = 0;
  return !::SetFilePointerEx(file.Get(), last, nullptr, FILE_BEGIN) ||
         !::ReadFile(file.Get(), &byte, 1, &got, nullptr) || got != 1 || byte == '\n';
}

// Made when missing; raises the program's file error when it cannot be.
std::wstring MadeFolder(const std::wstring& folder) {
  const int created = ::SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
  if (created != ERROR_SUCCESS && created != ERROR_ALREADY_EXISTS)
    RaiseFileError(L"Could not make the folder " + folder, static_cast<DWORD>(created));
  return folder;
}

}  // namespace

std::wstring LocalDataFolder() {
  TTaskText localAppData;
  const HRESULT status = ::SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, localAppData.Put());
  if (FAILED(status)) RaiseFileError(L"Could not find the local application data folder", HRESULT_CODE(status));
  // The maker's and the program's folder names, as fixed as the shared data folder's: they
  // must not change with the version block, or earlier runs could not be undone.
  return MadeFolder(std::wstring(localAppData.Get()) + L"\\Ombrel\\Velbrook\\");
}

std::wstring RunsFolder() { return MadeFolder(LocalDataFolder() + L"Runs\\"); }

TLocalTime LocalNow() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

std::vector<TRunOnDisk> ListRuns(const std::wstring& folder) {
  std::vector<TRunOnDisk> runs;
  for (const WIN32_FIND_DATAW& entry : EntriesOf(folder))
    if (IsFolder(entry) && !IsLinkedFolder(entry))
      runs.push_back({entry.cFileName, FolderBytes(folder + entry.cFileName + L"\\")});
  return runs;
}

void RemoveRun(const std::wstring& folder, const std::wstring& name) { RemoveFolder(folder + name + L"\\"); }

TFileStamp CopyForBackup(const std::wstring& from, const std::wstring& to) {
  const TFileHandle source = OpenToCopy(from);
  BY_HANDLE_FILE_INFORMATION copied{};
  if (!source || !::GetFileInformationByHandle(source.Get(), &copied))
    RaiseFileError(L"Could not back up " + from, ::GetLastError());
  const DWORD error = CopyToDisk(source.Get(), copied.ftLastWriteTime, to, true);
  if (error == ERROR_SUCCESS) return StampOf(copied.nFileSizeHigh, copied.nFileSizeLow, copied.ftLastWriteTime);
  // A copy cut short (a full disk) must not stay behind as if it were a backup.
  if (error != ERROR_FILE_EXISTS) ::DeleteFileW(to.c_str());
  RaiseFileError(L"Could not back up " + from, error);
}

bool TFileNameOrder::operator()(const std::wstring& a, const std::wstring& b) const {
  return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_LESS_THAN;
}

void RemoveBackup(const std::wstring& path) {
  // Backups made by earlier versions kept their file's attributes; a read-only one could not
  // be deleted.
  ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!::DeleteFileW(path.c_str())) RaiseFileError(L"Could not remove " + path, ::GetLastError());
}

TFileDigest DigestOf(const std::wstring& path) {
  const TFileHandle file = OpenForReading(path);
  THashHandle hash;
  NTSTATUS status = ::BCryptCreateHash(Sha256Algorithm(), hash.Put(), nullptr, 0, nullptr, 0, 0);
  if (status < 0) RaiseHashError(path, status);
  TFileDigest digest;
  std::vector<UCHAR> chunk(kChunkSize);
  for (DWORD got = kChunkSize; got == kChunkSize;) {
    if (!::ReadFile(file.Get(), chunk.data(), kChunkSize, &got, nullptr))
      RaiseFileError(L"Could not read " + path, ::GetLastError());
    digest.Size += got;
    status = ::BCryptHashData(hash.Get(), chunk.data(), got, 0);
    if (status < 0) RaiseHashError(path, status);
  }
  UCHAR sha256[32];
  status = ::BCryptFinishHash(hash.Get(), sha256, sizeof sha256, 0);
  if (status < 0) RaiseHashError(path, status);
  digest.Sha256 = LowerHex(sha256, sizeof sha256);
  return digest;
}

TFileStamp FileStampOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
    RaiseFileError(L"Could not read " + path, ::GetLastError());
  return StampOf(data.nFileSizeHigh, data.nFileSizeLow, data.ftLastWriteTime);
}

void PutBack(const std::wstring& backup, const std::wstring& target) {
  // The steps that save a profile file safely: a temporary beside the target, which then
  // takes the target's place (and keeps its attributes) in one step.
  const TFileHandle source = OpenToCopy(backup);
  FILETIME lastWrite{};
  if (!source || !::GetFileTime(source.Get(), nullptr, nullptr, &lastWrite))
    RaiseFileError(L"Could not put back " + target, ::GetLastError());
  IProfileStorage& files = FileProfileStorage();
  const std::wstring temporary = files.CreateTemporaryBeside(target);
  if (temporary.empty()) RaiseFileError(L"Could not put back " + target, ::GetLastError());
  DWORD error = CopyToDisk(source.Get(), lastWrite, temporary, false);
  if (error == ERROR_SUCCESS) {
    if (files.Replace(temporary, target)) return;
    error = ::GetLastError();
  }
  files.Remove(temporary);
  RaiseFileError(L"Could not put back " + target, error);
}

struct TRecordWriter::TOpenFile {
  TFileHandle Handle;
};

TRecordWriter::TRecordWriter(const std::wstring& path) : FFile(std::make_unique<TOpenFile>()), FPath(path) {
  // Appending only: every write lands at the end, after what a crash may have left.
  FFile->Handle.Reset(::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!FFile->Handle) RaiseFileError(L"Could not open the run record " + path, ::GetLastError());
  FEndCutLine = !EndsInLineFeed(path);
}

TRecordWriter::~TRecordWriter() = default;

void TRecordWriter::Append(const std::string& text) {
  const std::string utf8 = FEndCutLine ? "\n" + text : text;
  std::string_view rest = utf8;
  while (!rest.empty()) {
    DWORD written = 0;
    const DWORD portion = static_cast<DWORD>(rest.size() < kChunkSize ? rest.size() : kChunkSize);
    if (!::WriteFile(FFile->Handle.Get(), rest.data(), portion, &written, nullptr) || written == 0)
      RaiseFileError(L"Could not write the run record " + FPath, ::GetLastError());
    rest.remove_prefix(written);
  }
  if (!::FlushFileBuffers(FFile->Handle.Get()))
    RaiseFileError(L"Could not write the run record " + FPath, ::GetLastError());
  FEndCutLine = false;
}

std::string ReadRecordText(const std::wstring& path) {
  const TFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
  if (!file) return {};
  std::string text;
  std::vector<char> chunk(kChunkSize);
  DWORD got = 0;
  while (::ReadFile(file.Get(), chunk.data(), kChunkSize, &got, nullptr) && got > 0) text.append(chunk.data(), got);
  return text;
}

void OpenInExplorer(const std::wstring& folder) {
  SHELLEXECUTEINFOW open{sizeof open};
  open.fMask = SEE_MASK_FLAG_NO_UI;
  open.lpVerb = L"open";
  open.lpFile = folder.c_str();
  open.nShow = SW_SHOWNORMAL;
  if (!::ShellExecuteExW(&open)) RaiseFileError(L"Could not open " + folder, ::GetLastError());
}
