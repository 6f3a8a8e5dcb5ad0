#pragma once
// A Windows-like file system in memory (drive letters, one current folder per drive,
// case rules, labels, drive types, shares, drives that are not ready), a plain-ASCII
// collation, and list windows and a pointer that record what the logic told them.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "filelists/list_window.h"
#include "platform/file_system.h"

struct TFakeNode {
  std::wstring Name;
  std::uint32_t Attributes = faDirectory;
  std::vector<TFakeNode> Children;
  std::wstring ShortName;  // the 8.3 alias of a long name, which patterns match too
};

struct TFakeVolume {
  TDriveType Type = TDriveType::Fixed;
  std::wstring Label;
  bool PreservesCase = true;
  bool CaseSensitive = false;
  bool Ready = true;
  bool InfoReadable = true;  // label and flags
  std::wstring RemoteName;   // for a network drive letter
  TFakeNode Root;
};

class TFakeFileSystem final : public IFileSystem {
 public:
  enum : unsigned { kFileNotFound = 2, kPathNotFound = 3, kNotReady = 21, kInvalidName = 123, kDirectory = 267 };

  TFakeVolume& AddDrive(wchar_t letter, TDriveType type = TDriveType::Fixed, std::wstring label = {});
  TFakeVolume& AddShare(const std::wstring& unc);  // "\\server\share"
  // Absolute paths; missing parents are created as plain folders.
  void AddFolder(const std::wstring& path, std::uint32_t attributes = 0);
  void AddFile(const std::wstring& path, std::uint32_t attributes = 0, std::wstring shortName = {});
  void Remove(const std::wstring& path);
  // Makes path current as the process found it at start.
  void Start(const std::wstring& path);

  std::uint32_t LogicalDrives() override;
  TDriveType DriveType(const std::wstring& root) override;
  std::optional<TVolumeInformation> VolumeInformation(const std::wstring& root) override;
  TRemoteName RemoteName(const std::wstring& drive, std::size_t bufferSize) override;
  unsigned CriticalErrorsOff() override;
  void RestoreErrorMode(unsigned mode) override;
  unsigned SetCurrentFolder(const std::wstring& path) override;
  std::wstring CurrentFolder() override { return FCurrent; }
  bool FolderExists(const std::wstring& path) override;
  bool FileExists(const std::wstring& path) override;
  void ListEntries(const std::wstring& pattern, bool foldersOnly, const TFoundEntry& found) override;

  // What the logic asked for.
  int LoudVolumeReads = 0;  // volume reads while critical-error prompts were on
  int QuietVolumeReads = 0;
  unsigned ErrorMode = 0;
  std::vector<std::size_t> RemoteNameSizes;
  int Listings = 0;

 private:
  struct TLocation {
    TFakeVolume* Volume = nullptr;
    std::wstring Prefix;  // "C:" or "\\server\share", as written
    std::vector<std::wstring> Parts;
    unsigned Error = 0;
  };
  TLocation Locate(const std::wstring& path);
  TFakeNode* Find(const TLocation& where, unsigned& error);
  TFakeNode& Make(const std::wstring& path, std::uint32_t attributes);
  static std::wstring TextOf(const TLocation& where);

  std::map<wchar_t, TFakeVolume> FDrives;         // by upper-case letter
  std::map<std::wstring, TFakeVolume> FShares;    // by lower-case "\\server\share"
  std::map<wchar_t, std::wstring> FDriveCurrent;  // each drive's own current folder
  std::wstring FCurrent;
};

class TFakeCollation final : public ICollation {
 public:
  int Compare(std::wstring_view a, std::wstring_view b) const override;
  int CompareIgnoreCase(std::wstring_view a, std::wstring_view b) const override;
  std::string SortKeyIgnoreCase(std::wstring_view text) const override;
  std::wstring ToLower(std::wstring_view text) const override;
  std::wstring ToUpper(std::wstring_view text) const override;
};

class TFakeListWindow final : public IListWindow {
 public:
  bool HandleAllocated() const override { return Allocated; }
  void HandleNeeded() override;
  void BeginUpdate() override { ++UpdateDepth; }
  void EndUpdate() override { --UpdateDepth; }
  void ClearEntries() override;
  void AddEntry(const TListEntry& entry) override;
  void SetItemIndex(int index) override { ItemIndex = index; }
  void SetSelected(int index, bool selected) override;
  void SetAllSelected(bool selected) override;
  std::vector<std::wstring> Texts() const;

  std::function<void()> OnCreate;  // the control's window creation
  bool Allocated = false;
  int Creations = 0;
  std::vector<TListEntry> Entries;
  std::vector<bool> Selected;
  int ItemIndex = -1;
  int UpdateDepth = 0;
  int AddsWhileRedrawing = 0;
  int SelectionCalls = 0;           // SetSelected and SetAllSelected
  std::size_t Capacity = SIZE_MAX;  // entries the native list can take
};

class TDriveBoxModel;
class TFolderListModel;
class TFileListModel;
class TListChain;

// The three lists with their fake windows, as a main window holds them.
struct TFakeLists {
  TDriveBoxModel& DriveBox;
  TFakeListWindow& DriveWindow;
  TFolderListModel& FolderList;
  TFakeListWindow& FolderWindow;
  TFileListModel& FileList;
  TFakeListWindow& FileWindow;

  // Links the lists through chain as the main window does; each window's creation calls its
  // list back.
  void Link(TListChain& chain);
  // The main window is made, then shown: each list gets its window, then reads what it
  // has not read yet.
  void Show();
};

class TFakePointer final : public IPointerShape {
 public:
  static constexpr int kArrow = 1;
  static constexpr int kBusy = 2;
  int Current() const override { return Shape; }
  void SetBusy() override;
  void Restore(int shape) override { Shape = shape; }

  int Shape = kArrow;
  int BusyCalls = 0;
  std::function<void()> OnBusy;
};
