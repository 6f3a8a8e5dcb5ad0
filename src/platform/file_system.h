#pragma once
// The file-system and drive services the lists need, behind an interface so that the
// list logic runs against a fake Windows-like file system in native tests.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Attribute bits as the platform reports them for a listed entry.
enum TFileAttribute : std::uint32_t {
  faReadOnly = 0x01,
  faHidden = 0x02,
  faSystem = 0x04,
  faVolumeID = 0x08,
  faDirectory = 0x10,
  faArchive = 0x20,
};

enum class TDriveType { Unknown, NoRootDir, Removable, Fixed, Remote, CDRom, RamDisk };

struct TVolumeInformation {
  std::wstring Label;
  bool PreservesCase = false;
  bool CaseSensitive = false;
};

// Answer to a remote-name request made with a buffer of a given size (in characters).
struct TRemoteName {
  enum TStatus { Ok, BufferTooSmall, Failed } Status = Failed;
  std::wstring Name;             // when Ok
  std::size_t RequiredSize = 0;  // when BufferTooSmall: the size to ask with next
};

class IFileSystem {
 public:
  virtual ~IFileSystem() = default;

  // Bit i set: drive "a" + i exists.
  virtual std::uint32_t LogicalDrives() = 0;
  // root: a drive root such as "c:\".
  virtual TDriveType DriveType(const std::wstring& root) = 0;
  // Label (at most 260 characters) and case flags of the volume at root; none on failure.
  virtual std::optional<TVolumeInformation> VolumeInformation(const std::wstring& root) = 0;
  // The share a drive ("X:") is connected to, asked with a buffer of bufferSize characters.
  virtual TRemoteName RemoteName(const std::wstring& drive, std::size_t bufferSize) = 0;

  // Switches the platform's critical-error prompts off; returns the mode to restore.
  virtual unsigned CriticalErrorsOff() = 0;
  virtual void RestoreErrorMode(unsigned mode) = 0;

  // Makes path the process's current folder; a bare "X:" goes to drive X's own current
  // folder. Returns 0 on success, else the platform's error code.
  virtual unsigned SetCurrentFolder(const std::wstring& path) = 0;
  virtual std::wstring CurrentFolder() = 0;
  virtual bool FolderExists(const std::wstring& path) = 0;
  virtual bool FileExists(const std::wstring& path) = 0;

  // Calls found for each entry matching pattern (a folder, "\" and a wildcard name),
  // "." and ".." included when the platform reports them. foldersOnly is a hint: the
  // platform may skip files, callers still check the attributes. A pattern that cannot
  // be listed yields nothing.
  using TFoundEntry = std::function<void(std::wstring_view name, std::uint32_t attributes)>;
  virtual void ListEntries(const std::wstring& pattern, bool foldersOnly, const TFoundEntry& found) = 0;
};

// The user's locale: comparison and case mapping.
class ICollation {
 public:
  virtual ~ICollation() = default;
  // <0, 0, >0 like a three-way comparison.
  virtual int Compare(std::wstring_view a, std::wstring_view b) const = 0;
  virtual int CompareIgnoreCase(std::wstring_view a, std::wstring_view b) const = 0;
  // Bytes that order (as unsigned bytes) like CompareIgnoreCase orders the texts; one key
  // per name makes sorting large folders cheap.
  virtual std::string SortKeyIgnoreCase(std::wstring_view text) const = 0;
  virtual std::wstring ToLower(std::wstring_view text) const = 0;
  virtual std::wstring ToUpper(std::wstring_view text) const = 0;
};

// Keeps the platform's critical-error prompts off for one scope.
class TCriticalErrorsOff {
 public:
  explicit TCriticalErrorsOff(IFileSystem& fs) : FFileSystem(fs), FOldMode(fs.CriticalErrorsOff()) {}
  ~TCriticalErrorsOff() { FFileSystem.RestoreErrorMode(FOldMode); }
  TCriticalErrorsOff(const TCriticalErrorsOff&) = delete;
  TCriticalErrorsOff& operator=(const TCriticalErrorsOff&) = delete;

 private:
  IFileSystem& FFileSystem;
  unsigned FOldMode;
};
