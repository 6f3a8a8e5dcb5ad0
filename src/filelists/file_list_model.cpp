#include "filelists/file_list_model.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "filelists/list_errors.h"
#include "filelists/name_order.h"
#include "filelists/paths.h"

namespace {

// The pointer the user had comes back when a listing ends, however it ends.
class TPointerScope {
 public:
  explicit TPointerScope(IPointerShape& pointer) : FPointer(pointer), FShape(pointer.Current()) {}
  ~TPointerScope() { FPointer.Restore(FShape); }
  TPointerScope(const TPointerScope&) = delete;
  TPointerScope& operator=(const TPointerScope&) = delete;

 private:
  IPointerShape& FPointer;
  int FShape;
};

}  // namespace

TFileListModel::TFileListModel(IFileSystem& fs, const ICollation& collation, IListWindow& window,
                               IPointerShape& pointer)
    : FFileSystem(fs), FCollation(collation), FWindow(window), FPointer(pointer), FDirectory(fs.CurrentFolder()) {}

TFileListModel::~TFileListModel() {
  if (FChain) FChain->Forget(*this);
}

void TFileListModel::EnsureRead() {
  if (FChain) FChain->FilesFirstShowing();
  EnsureRead(nullptr);
}

void TFileListModel::ApplyDirectory(const std::wstring& path, const TFolderReading* reading) {
  if (FCollation.CompareIgnoreCase(path, FDirectory) == 0) return;
  if (FFileSystem.FolderExists(FDirectory)) FFileSystem.SetCurrentFolder(FDirectory);
  EnterFolder(FFileSystem, path);
  TShown before = TakeShown();
  FDirectory = FFileSystem.CurrentFolder();
  try {
    ReadEntries(reading);
  } catch (...) {
    // A window that took only some of the names leaves the list as it was, in the folder
    // that the folder list goes back to.
    ShowAgain(std::move(before));
    if (FFileSystem.FolderExists(FDirectory)) FFileSystem.SetCurrentFolder(FDirectory);
    throw;
  }
}

TFileListModel::TShown TFileListModel::TakeShown() {
  TShown shown{FDirectory, std::move(FItems), std::move(FSelected), FItemIndex, FAnchor};
  FItems.clear();
  FSelected.clear();
  return shown;
}

void TFileListModel::ShowAgain(TShown shown) {
  FDirectory = std::move(shown.Directory);
  FItems = std::move(shown.Items);
  FSelected = std::move(shown.Selected);
  FAnchor = shown.Anchor;
  {
    const TUpdateScope update(FWindow);
    FWindow.ClearEntries();
    FWindow.ReserveEntries(FItems.size());
    for (std::size_t i = 0; i < FItems.size(); ++i) {
      FWindow.AddEntry({FItems[i], TEntryPicture::None});
      if (FSelected[i] != 0) FWindow.SetSelected(static_cast<int>(i), true);
    }
  }
  SetItemIndex(shown.ItemIndex);
}

void TFileListModel::SetMask(std::wstring mask) {
  if (mask == FMask) return;
  std::wstring previous = std::exchange(FMask, std::move(mask));
  if (!FRead) return;
  try {
    ReadEntries();
  } catch (...) {
    FMask = std::move(previous);
    throw;
  }
}

bool TFileListModel::IsListed(std::wstring_view name, std::uint32_t attributes) const {
  // Hidden, system, folder and volume entries show only when asked for.
  constexpr std::uint32_t kSpecial = ftHidden | ftSystem | ftDirectory | ftVolumeID;
  return (attributes & kSpecial & ~std::uint32_t{FFileType}) == 0 && name != L"." && name != L"..";
}

void TFileListModel::ReadEntries(const TFolderReading* reading) {
  if (!FWindow.HandleAllocated()) return;
  EnterFolder(FFileSystem, FDirectory);
  FRead = true;
  const std::vector<std::wstring> patterns = MaskPatterns(FMask);
  const bool useReading = reading && std::all_of(patterns.begin(), patterns.end(), MatcherAgreesWithFileSystem);
  FItems.clear();
  FSelected.clear();
  FItemIndex = -1;
  FAnchor = 0;
  {
    // A native list repaints after every line unless told to wait.
    const TUpdateScope update(FWindow);
    FWindow.ClearEntries();
    const TPointerScope pointer(FPointer);
    TNameOrder order(FCollation);
    // A file that several patterns match is listed once: a run must not treat it twice.
    std::unordered_set<std::wstring> taken;
    const bool several = patterns.size() > 1;
    const auto take = [this, &order, &taken, several](std::wstring_view name, std::uint32_t attributes) {
      if (!IsListed(name, attributes) || (several && !taken.emplace(name).second)) return;
      if (order.Add(name) == TNameOrder::kTrackedPosition) FPointer.SetBusy();
    };
    // Each pattern is searched in turn, as the file system would be asked for each.
    for (const std::wstring& pattern : patterns) {
      if (!useReading) {
        FFileSystem.ListEntries(JoinPath(FDirectory, pattern), false, take);
        continue;
      }
      for (const TFoundFile& found : *reading)
        if (MatchesMask(found.Name, pattern)) take(found.Name, found.Attributes);
    }
    Fill(order.Sorted());
  }
  if (OnChange) OnChange();
}

void TFileListModel::Fill(std::vector<std::wstring> names) {
  FWindow.ReserveEntries(names.size());
  FItems.reserve(names.size());
  FSelected.reserve(names.size());
  for (std::wstring& name : names) {
    FWindow.AddEntry({name, TEntryPicture::None});
    FItems.push_back(std::move(name));
    FSelected.push_back(0);
  }
}

int TFileListModel::SelCount() const {
  return static_cast<int>(std::count(FSelected.begin(), FSelected.end(), char{1}));
}

void TFileListModel::SelectAll() { SetAllSelected(true); }

void TFileListModel::ClearSelection() { SetAllSelected(false); }

void TFileListModel::Click(int index, bool shift, bool ctrl) {
  if (index < 0 || index >= Count()) return;
  if (shift) {
    if (ctrl) {
      AddRange(FAnchor, index);
    } else {
      SelectRange(FAnchor, index);
    }
  } else if (ctrl) {
    SetSelected(index, !Selected(index));
    FAnchor = index;
  } else {
    SelectOnly(index);
    FAnchor = index;
  }
  SetItemIndex(index);
}

void TFileListModel::MoveTo(int index, bool shift, bool ctrl) {
  if (Count() == 0) return;
  index = std::clamp(index, 0, Count() - 1);
  if (shift && ctrl) {
    AddRange(FAnchor, index);
  } else if (shift) {
    SelectRange(FAnchor, index);
  } else if (!ctrl) {
    SelectOnly(index);
    FAnchor = index;
  }
  SetItemIndex(index);
}

void TFileListModel::ToggleFocused() {
  if (Count() == 0) return;
  const int index = FItemIndex < 0 ? 0 : FItemIndex;
  SetSelected(index, !Selected(index));
  FAnchor = index;
  SetItemIndex(index);
}

void TFileListModel::TypeKey(wchar_t key, std::uint64_t nowMs) {
  const TTypeAhead::TResult search = FTypeAhead.Key(key, nowMs);
  if (search.ToFirst) {
    MoveTo(0, false);
    return;
  }
  if (search.Text.empty()) return;
  for (int i = 0; i < Count(); ++i)
    if (StartsWithIgnoringCase(FItems[static_cast<std::size_t>(i)], search.Text, FCollation)) {
      MoveTo(i, false);
      return;
    }
}

void TFileListModel::SetSelected(int index, bool selected) {
  char& state = FSelected[static_cast<std::size_t>(index)];
  if ((state != 0) == selected) return;
  state = selected ? 1 : 0;
  FWindow.SetSelected(index, selected);
}

void TFileListModel::SetAllSelected(bool selected) {
  // Entries already in that state stay untouched; the window gets one call for the rest.
  if (std::find(FSelected.begin(), FSelected.end(), selected ? 0 : 1) == FSelected.end()) return;
  std::fill(FSelected.begin(), FSelected.end(), selected ? 1 : 0);
  FWindow.SetAllSelected(selected);
}

void TFileListModel::AddRange(int from, int to) {
  for (int i = std::min(from, to); i <= std::max(from, to); ++i) SetSelected(i, true);
}

void TFileListModel::SelectRange(int from, int to) {
  const int low = std::min(from, to);
  const int high = std::max(from, to);
  for (int i = 0; i < Count(); ++i) SetSelected(i, i >= low && i <= high);
}

void TFileListModel::SelectOnly(int index) { SelectRange(index, index); }

void TFileListModel::SetItemIndex(int index) {
  FItemIndex = index;
  FWindow.SetItemIndex(index);
}
