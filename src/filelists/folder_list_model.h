#pragma once
// The folder list's logic: the path from the drive root down to the current folder and
// that folder's subfolders; through the lists' chain it follows the drive box and moves
// the file list.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "filelists/list_chain.h"
#include "filelists/list_window.h"
#include "filelists/type_ahead.h"
#include "platform/file_system.h"

class TFolderListModel {
 public:
  TFolderListModel(IFileSystem& fs, const ICollation& collation, IListWindow& window);
  ~TFolderListModel();
  TFolderListModel(const TFolderListModel&) = delete;
  TFolderListModel& operator=(const TFolderListModel&) = delete;

  const std::wstring& Directory() const { return FDirectory; }
  // Raises EInOutError when the folder cannot be reached; the lists then stay as they were.
  void SetDirectory(const std::wstring& path);
  // The folder's drive letter; 0 on a network share.
  wchar_t Drive() const { return FDirectory.size() >= 2 && FDirectory[1] == L':' ? FDirectory.front() : L'\0'; }
  // Goes to the drive's remembered folder, or to its root when that has gone. Raises
  // EInOutError (nothing changed) when neither can be entered.
  void FollowDrive(wchar_t drive);
  void RebuildEntries() { Read(nullptr); }
  std::wstring GetItemPath(int index) const;
  // Double-click and Enter: open the highlighted entry.
  void OpenCurrent();
  std::wstring DisplayCase(const std::wstring& text) const;
  int FileCompareText(const std::wstring& a, const std::wstring& b) const;

  // A re-created window gets the entries again; a new one waits to be asked.
  void WindowCreated() {
    if (FRead) Rebuild();
  }
  // Reads the folder unless it was read: when the form first shows.
  void EnsureRead();
  // A click moves the highlight only.
  void Click(int index);
  // A typed character (TTypeAhead::kBackspace for Backspace); nowMs from a monotonic clock.
  void TypeKey(wchar_t key, std::uint64_t nowMs);

  const std::vector<TListEntry>& Entries() const { return FEntries; }
  int ItemIndex() const { return FItemIndex; }
  // Position of the current-folder entry (or of a share's root entry).
  int CurrentIndex() const { return FCurrentIndex; }
  int Indent(int index) const;
  bool PreserveCase() const { return FPreserveCase; }
  bool CaseSensitive() const { return FCaseSensitive; }

  std::function<void()> OnChange;

 private:
  friend class TListChain;
  // Rebuilds the entries from a new reading of the folder; files, if given, receives all
  // that the reading found, for the file list.
  void Read(TFolderReading* files);
  void Rebuild(TFolderReading* files = nullptr);
  // Shows folder here and in the file list; on failure both stay where they were.
  void MoveTo(const std::wstring& folder);
  // Whether a file list follows, which takes this list's readings.
  bool ListsFiles() const;
  void AddEntry(std::wstring text, TEntryPicture picture);
  void AddChainAndCurrent();
  void AddSubfolders(TFolderReading* files);
  void SetItemIndex(int index);

  IFileSystem& FFileSystem;
  const ICollation& FCollation;
  IListWindow& FWindow;
  bool FPreserveCase = false;
  bool FCaseSensitive = false;
  std::wstring FDirectory;
  std::vector<TListEntry> FEntries;
  int FItemIndex = -1;
  int FCurrentIndex = -1;
  bool FRead = false;
  TTypeAhead FTypeAhead;
  TListChain* FChain = nullptr;
};
