#pragma once
// What the three list controls share: the file system and locale they all use, the native
// side of a list as the logic sees it, the screen's pointer, and row-height measuring.
#include <cstdint>

#include "filelists/list_window.h"
#include "platform/file_system.h"
#include "ui/std_controls.h"

// One file system and one locale for all lists of the program.
IFileSystem& ListsFileSystem();
const ICollation& ListsCollation();

// A combo box's list as the drive box's logic drives it.
class TComboBoxWindow final : public IListWindow {
 public:
  explicit TComboBoxWindow(TCustomComboBox& box) : FBox(box) {}
  bool HandleAllocated() const override { return FBox.HandleAllocated(); }
  void HandleNeeded() override { FBox.HandleNeeded(); }
  void BeginUpdate() override;
  void EndUpdate() override;
  void ClearEntries() override { FBox.ClearItems(); }
  void AddEntry(const TListEntry& entry) override { FBox.AddItem(entry.Text); }
  void SetItemIndex(int index) override { FBox.SetItemIndex(index); }
  void SetSelected(int index, bool selected) override { FBox.SetItemIndex(selected ? index : -1); }

 private:
  TCustomComboBox& FBox;
};

// A list box as the folder list's and the file list's logic drive it.
class TListBoxWindow final : public IListWindow {
 public:
  explicit TListBoxWindow(TCustomListBox& list) : FList(list) {}
  bool HandleAllocated() const override { return FList.HandleAllocated(); }
  void HandleNeeded() override { FList.HandleNeeded(); }
  void BeginUpdate() override { FList.BeginUpdate(); }
  void EndUpdate() override { FList.EndUpdate(); }
  void ClearEntries() override { FList.ClearItems(); }
  void ReserveEntries(std::size_t count, std::size_t textChars) override;
  void AddEntry(const TListEntry& entry) override { FList.AddItem(entry.Text); }
  void SetItemIndex(int index) override { FList.SetItemIndex(index); }
  void SetSelected(int index, bool selected) override { FList.SetSelected(index, selected); }

 private:
  TCustomListBox& FList;
};

// The thread's mouse pointer: busy (hourglass) during long listings.
class TScreenPointer final : public IPointerShape {
 public:
  int Current() const override;
  void SetBusy() override;
  void Restore(int shape) override;
};

// Height of a line of text in font at 96 DPI.
int TextHeight96(const TFont& font);
// Typed characters that type-ahead takes: printable ones and Backspace, not Enter, Tab or
// Escape.
bool IsTypeAheadKey(WPARAM key);
// The clock that type-ahead measures pauses with, in milliseconds.
std::uint64_t TypeAheadClock();
