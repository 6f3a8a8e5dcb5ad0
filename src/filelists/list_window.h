#pragma once
// What a list's window offers the list logic. The logic holds the entries, highlight and
// selection; the window mirrors them as the logic tells it.
#include <cstddef>
#include <string>

enum class TEntryPicture { None, Floppy, Fixed, Network, CDRom, Ram, ClosedFolder, OpenFolder, CurrentFolder };

struct TListEntry {
  std::wstring Text;
  TEntryPicture Picture = TEntryPicture::None;
};

class IListWindow {
 public:
  virtual ~IListWindow() = default;
  virtual bool HandleAllocated() const = 0;
  // Creates the window now if it does not exist; creating it calls the logic's
  // WindowCreated, which reads the entries again if they were read before.
  virtual void HandleNeeded() = 0;
  virtual void BeginUpdate() = 0;  // suspend redrawing
  virtual void EndUpdate() = 0;
  virtual void ClearEntries() = 0;
  // count entries are about to arrive; a native list can take them faster when it knows.
  virtual void ReserveEntries(std::size_t count) { (void)count; }
  // Appends an entry; raises the insert-line error (RaiseInsertLineError) when the native
  // list cannot take it.
  virtual void AddEntry(const TListEntry& entry) = 0;
  // The highlighted entry (single selection) or the focused one (extended); -1 for none.
  virtual void SetItemIndex(int index) = 0;
  virtual void SetSelected(int index, bool selected) = 0;
  // Every entry at once, with one repaint and the view kept where it is.
  virtual void SetAllSelected(bool selected) = 0;
};

// Redrawing stays off while the entries are rebuilt, also if adding one fails.
class TUpdateScope {
 public:
  explicit TUpdateScope(IListWindow& window) : FWindow(window) { FWindow.BeginUpdate(); }
  ~TUpdateScope() { FWindow.EndUpdate(); }
  TUpdateScope(const TUpdateScope&) = delete;
  TUpdateScope& operator=(const TUpdateScope&) = delete;

 private:
  IListWindow& FWindow;
};

// The mouse pointer shape, switched to busy during long listings.
class IPointerShape {
 public:
  virtual ~IPointerShape() = default;
  virtual int Current() const = 0;
  virtual void SetBusy() = 0;
  virtual void Restore(int shape) = 0;
};
