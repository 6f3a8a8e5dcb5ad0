#pragma once
// The drive box's logic: its entries (one per drive, with a picture), the highlighted
// entry and the selected drive letter; the folder list of its chain follows the drive.
#include <functional>
#include <string>
#include <vector>

#include "filelists/list_window.h"
#include "platform/file_system.h"

class TListChain;

enum TTextCase { tcLowerCase, tcUpperCase };

class TDriveBoxModel {
 public:
  TDriveBoxModel(IFileSystem& fs, const ICollation& collation, IListWindow& window);
  ~TDriveBoxModel();
  TDriveBoxModel(const TDriveBoxModel&) = delete;
  TDriveBoxModel& operator=(const TDriveBoxModel&) = delete;

  wchar_t Drive() const { return FDrive; }
  // Creates the window first if needed; raises the folder list's error, and then the box
  // keeps the drive it had.
  void SetDrive(wchar_t drive);
  // The folder list moved to drive: the box shows it without moving the list again.
  void ShowDrive(wchar_t drive);
  TTextCase TextCase() const { return FTextCase; }
  void SetTextCase(TTextCase textCase) { FTextCase = textCase; }

  void ListDrives();
  // The window calls this once its native window exists (also when re-created); the drives
  // are read again only if they were read before.
  void WindowCreated();
  // Reads the drives unless they were read: when the form first shows.
  void EnsureListed();
  // The user picked entry index with the mouse or the keyboard.
  void PickEntry(int index);

  const std::vector<TListEntry>& Entries() const { return FEntries; }
  int ItemIndex() const { return FItemIndex; }

  std::function<void()> OnChange;

 private:
  friend class TListChain;
  void SetItemIndex(int index);
  void AddEntry(TListEntry entry);
  std::wstring VolumeCaption(wchar_t letter);
  std::wstring NetworkCaption(wchar_t letter);
  std::wstring InLetterCase(std::wstring_view text, wchar_t letter) const;

  IFileSystem& FFileSystem;
  const ICollation& FCollation;
  IListWindow& FWindow;
  wchar_t FDrive = 0;
  TTextCase FTextCase = tcLowerCase;
  std::vector<TListEntry> FEntries;
  int FItemIndex = -1;
  bool FListed = false;
  TListChain* FChain = nullptr;
};
