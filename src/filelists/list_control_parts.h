#pragma once
// What the three list controls share: the file system and locale they all use, the native
// side of a list as the logic sees it, the screen's pointer, and row-height measuring.
#include <cstdint>
#include <optional>

#include "base/win_handles.h"
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
  void BeginUpdate() override {
    if (FBox.HandleAllocated()) FRedrawOff.emplace(FBox.HandleIfAllocated());
  }
  void EndUpdate() override { FRedrawOff.reset(); }
  void ClearEntries() override { FBox.ClearItems(); }
  void AddEntry(const TListEntry& entry) override { FBox.AddItem(entry.Text); }
  void SetItemIndex(int index) override { FBox.SetItemIndex(index); }
  void SetSelected(int index, bool selected) override { FBox.SetItemIndex(selected ? index : -1); }
  void SetAllSelected(bool selected) override {
    if (!selected) FBox.SetItemIndex(-1);
  }

 private:
  TCustomComboBox& FBox;
  std::optional<TRedrawSuspension> FRedrawOff;
};

// A list box that keeps no texts (LBS_NODATA): the logic holds and draws them, the window
// only counts rows. Filling a big folder then costs one message instead of one per name.
class TCountedListBoxWindow final : public IListWindow {
 public:
  explicit TCountedListBoxWindow(TCustomListBox& list) : FList(list) {}
  bool HandleAllocated() const override { return FList.HandleAllocated(); }
  void HandleNeeded() override { FList.HandleNeeded(); }
  void BeginUpdate() override { FList.BeginUpdate(); }
  void EndUpdate() override { FList.EndUpdate(); }
  void ClearEntries() override;
  // The rows for the coming entries are made at once.
  void ReserveEntries(std::size_t count) override;
  void AddEntry(const TListEntry& entry) override;
  void SetItemIndex(int index) override { FList.SetItemIndex(index); }
  void SetSelected(int index, bool selected) override { FList.SetSelected(index, selected); }
  void SetAllSelected(bool selected) override { FList.SetAllSelected(selected); }

 private:
  // Raises the insert-line error when the window cannot take that many rows.
  void SetRows(std::size_t rows);

  TCustomListBox& FList;
  std::size_t FEntries = 0;  // entries the logic added
  std::size_t FRows = 0;     // rows the window has
};

// The window style for TCountedListBoxWindow: rows without texts of their own.
void UseCountedRows(TCreateParams& params);

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
