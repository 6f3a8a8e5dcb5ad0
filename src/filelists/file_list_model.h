#pragma once
// The file list's logic: the plain files of one folder in locale order, with extended
// selection; through its chain it follows the folder list.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "filelists/list_chain.h"
#include "filelists/list_window.h"
#include "filelists/type_ahead.h"
#include "platform/file_system.h"

// The kinds of entry the file list shows, as bits of one byte: the platform's attribute
// bits, so that an entry's attributes test against them directly, and ftNormal for plain files.
enum TFileAttr : std::uint8_t {
  ftReadOnly = faReadOnly,
  ftHidden = faHidden,
  ftSystem = faSystem,
  ftVolumeID = faVolumeID,
  ftDirectory = faDirectory,
  ftArchive = faArchive,
  ftNormal = 0x40,
};
using TFileType = std::uint8_t;

class TFileListModel {
 public:
  TFileListModel(IFileSystem& fs, const ICollation& collation, IListWindow& window, IPointerShape& pointer);
  ~TFileListModel();
  TFileListModel(const TFileListModel&) = delete;
  TFileListModel& operator=(const TFileListModel&) = delete;

  const std::wstring& Directory() const { return FDirectory; }
  // The folder list moved to path, having read it as reading if given. Raises EInOutError
  // if it cannot be entered, and the insert-line error if the window cannot take all of its
  // files; the list then shows the folder, names and selection it showed before.
  void ApplyDirectory(const std::wstring& path, const TFolderReading* reading = nullptr);
  // Does nothing until the window exists. Raises EInOutError (old entries stay) if the
  // folder cannot be entered. A reading of the folder is used when the mask's patterns
  // can be matched here exactly as the file system matches them.
  void ReadEntries(const TFolderReading* reading = nullptr);
  // A re-created window gets the entries again; a new one waits to be asked.
  void WindowCreated() {
    if (FRead) ReadEntries();
  }
  // Reads the folder unless it was read: when the form first shows. A folder list of its
  // chain that has not read yet reads first and hands its reading on.
  void EnsureRead();
  void EnsureRead(const TFolderReading* reading) {
    if (!FRead) ReadEntries(reading);
  }

  const std::wstring& Mask() const { return FMask; }
  // Patterns separated by ";". A list that was read reads again with the new mask; when
  // that raises, the mask and the entries stay as they were.
  void SetMask(std::wstring mask);
  TFileType FileType() const { return FFileType; }
  void SetFileType(TFileType fileType) { FFileType = fileType; }

  int Count() const { return static_cast<int>(FItems.size()); }
  const std::wstring& Item(int index) const { return FItems.at(static_cast<std::size_t>(index)); }
  bool Selected(int index) const { return FSelected.at(static_cast<std::size_t>(index)) != 0; }
  int SelCount() const;
  void SelectAll();
  void ClearSelection();
  // The focused entry (-1 for none) and the anchor of Shift ranges.
  int ItemIndex() const { return FItemIndex; }
  int Anchor() const { return FAnchor; }

  // Extended selection: a click selects index alone, Ctrl toggles it, Shift selects the
  // range from the anchor (adding to the selection with Ctrl as well).
  void Click(int index, bool shift, bool ctrl);
  // A move key (arrow, page, Home, End) took the focus to index. Alone it selects that
  // entry; Shift selects the range from the anchor; Ctrl moves the focus only; Ctrl+Shift
  // adds the range to the selection.
  void MoveTo(int index, bool shift, bool ctrl = false);
  // Ctrl+Space: toggles the focused entry (the first if none) and makes it the anchor.
  void ToggleFocused();
  void TypeKey(wchar_t key, std::uint64_t nowMs);

  std::function<void()> OnChange;

 private:
  friend class TListChain;
  // What the list shows, kept while it changes folder so that a failed change can go back.
  struct TShown {
    std::wstring Directory;
    std::vector<std::wstring> Items;
    std::vector<char> Selected;
    int ItemIndex = -1;
    int Anchor = 0;
  };
  TShown TakeShown();
  void ShowAgain(TShown shown);
  bool IsListed(std::wstring_view name, std::uint32_t attributes) const;
  void Fill(std::vector<std::wstring> names);
  void SetSelected(int index, bool selected);
  void SetAllSelected(bool selected);
  void AddRange(int from, int to);
  void SelectRange(int from, int to);
  void SelectOnly(int index);
  void SetItemIndex(int index);

  IFileSystem& FFileSystem;
  const ICollation& FCollation;
  IListWindow& FWindow;
  IPointerShape& FPointer;
  std::wstring FDirectory;
  std::wstring FMask = L"*.*";
  TFileType FFileType = ftNormal;
  std::vector<std::wstring> FItems;
  std::vector<char> FSelected;
  int FItemIndex = -1;
  int FAnchor = 0;
  bool FRead = false;
  TTypeAhead FTypeAhead;
  TListChain* FChain = nullptr;
};
