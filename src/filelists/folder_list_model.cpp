#include "filelists/folder_list_model.h"

#include "filelists/drive_box_model.h"
#include "filelists/file_list_model.h"
#include "filelists/list_errors.h"
#include "filelists/name_order.h"
#include "filelists/paths.h"
#include "filelists/resolve_target.h"
#include "filelists/row_layout.h"

namespace {

class TFlagScope {
 public:
  explicit TFlagScope(bool& flag) : FFlag(flag) { FFlag = true; }
  ~TFlagScope() { FFlag = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& FFlag;
};

bool is_listed_subfolder(std::wstring_view name, std::uint32_t attributes) {
  return (attributes & faDirectory) != 0 && (attributes & (faHidden | faSystem)) == 0 && name != L"." &&
         name != L"..";
}

}  // namespace

TFolderListModel::TFolderListModel(IFileSystem& fs, const ICollation& collation, IListWindow& window)
    : FFileSystem(fs), FCollation(collation), FWindow(window), FDirectory(fs.CurrentFolder()) {}

TFolderListModel::~TFolderListModel() {
  if (FDriveCombo) FDriveCombo->FDirList = nullptr;
  if (FFileList) FFileList->FDirList = nullptr;
}

void TFolderListModel::SetFileList(TFileListModel* fileList) {
  if (FFileList) FFileList->FDirList = nullptr;
  FFileList = fileList;
  if (FFileList) {
    if (FFileList->FDirList) FFileList->FDirList->FFileList = nullptr;
    FFileList->FDirList = this;
  }
}

void TFolderListModel::SetDirectory(const std::wstring& path) {
  if (path.empty() || FileCompareText(path, FDirectory) == 0) return;
  const TResolvedTarget target = ResolveTarget(FFileSystem, path);
  if (target.Drive != Drive()) {
    const TFlagScope inSetDir(FInSetDir);
    if (FDriveCombo)
      FDriveCombo->SetDrive(target.Drive);
    else
      FollowDrive(target.Drive);
  }
  if (FFileSystem.FolderExists(FDirectory)) FFileSystem.SetCurrentFolder(FDirectory);
  EnterFolder(FFileSystem, target.Folder);
  FDirectory = FFileSystem.CurrentFolder();
  RebuildEntries();
  change();
}

void TFolderListModel::FollowDrive(wchar_t drive) {
  if (SameDriveLetter(drive, Drive())) return;
  if (drive != 0) {
    EnterFolder(FFileSystem, std::wstring{drive, L':'});
    FDirectory = FFileSystem.CurrentFolder();
  }
  if (!FInSetDir) {
    RebuildEntries();
    change();
  }
}

void TFolderListModel::RebuildEntries() {
  if (!FWindow.HandleAllocated()) {
    FWindow.HandleNeeded();  // creating the window rebuilds the entries
    return;
  }
  {
    const TUpdateScope update(FWindow);
    FWindow.ClearEntries();
    FEntries.clear();
    FItemIndex = -1;
    const auto volume = FFileSystem.VolumeInformation(ExtractDrivePart(FDirectory) + L"\\");
    FPreserveCase = volume && (volume->PreservesCase || volume->CaseSensitive);
    FCaseSensitive = volume && volume->CaseSensitive;
    add_chain_and_current();
    FCurrentIndex = static_cast<int>(FEntries.size()) - 1;
    add_subfolders();
  }
  set_item_index(FCurrentIndex);
}

void TFolderListModel::add_chain_and_current() {
  const std::wstring root = ExtractDrivePart(FDirectory) + L"\\";
  const bool network = root.size() > 1 && root[1] == L'\\';
  std::wstring rest = FDirectory;
  if (network) {
    add_entry(root, TEntryPicture::OpenFolder);
    rest = FDirectory.size() > root.size() ? FDirectory.substr(root.size()) : std::wstring();
  }
  if (rest.empty()) return;
  if (rest.back() != L'\\') {
    bool first = true;
    for (std::size_t separator = rest.find(L'\\'); separator != std::wstring::npos; separator = rest.find(L'\\')) {
      std::wstring component = rest.substr(0, separator);
      if (first && !network) component += L'\\';
      add_entry(std::move(component), TEntryPicture::OpenFolder);
      rest.erase(0, separator + 1);
      first = false;
    }
  }
  add_entry(rest, TEntryPicture::CurrentFolder);
}

void TFolderListModel::add_subfolders() {
  TNameOrder order(FCollation);
  FFileSystem.ListEntries(JoinPath(FDirectory, L"*.*"), true, [&order](std::wstring_view name, std::uint32_t attributes) {
    if (is_listed_subfolder(name, attributes)) order.Add(name);
  });
  std::vector<std::wstring> names = order.Distinct();
  FWindow.ReserveEntries(names.size());
  for (std::wstring& name : names) add_entry(std::move(name), TEntryPicture::ClosedFolder);
}

std::wstring TFolderListModel::GetItemPath(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= FEntries.size()) return {};
  const std::wstring drive = ExtractDrivePart(FDirectory);
  if (index == 0) return drive + L"\\";
  switch (FEntries[static_cast<std::size_t>(index)].Picture) {
    case TEntryPicture::ClosedFolder: return JoinPath(FDirectory, FEntries[static_cast<std::size_t>(index)].Text);
    case TEntryPicture::CurrentFolder: return FDirectory;
    default: break;
  }
  const std::wstring rest = FDirectory.substr(drive.size());
  std::size_t end = std::wstring::npos;
  for (int found = 0; found <= index; ++found) {
    end = rest.find(L'\\', end == std::wstring::npos ? 0 : end + 1);
    if (end == std::wstring::npos) break;
  }
  return drive + rest.substr(0, end);
}

void TFolderListModel::OpenCurrent() { SetDirectory(GetItemPath(FItemIndex)); }

std::wstring TFolderListModel::DisplayCase(const std::wstring& text) const {
  return FPreserveCase || FCaseSensitive ? text : FCollation.ToLower(text);
}

int TFolderListModel::FileCompareText(const std::wstring& a, const std::wstring& b) const {
  return FCaseSensitive ? FCollation.Compare(a, b) : FCollation.CompareIgnoreCase(a, b);
}

void TFolderListModel::Click(int index) {
  if (index >= 0 && static_cast<std::size_t>(index) < FEntries.size()) set_item_index(index);
}

void TFolderListModel::TypeKey(wchar_t key, std::uint64_t nowMs) {
  const TTypeAhead::TResult search = FTypeAhead.Key(key, nowMs);
  if (search.ToFirst) {
    Click(0);
    return;
  }
  if (search.Text.empty()) return;
  for (std::size_t i = 0; i < FEntries.size(); ++i)
    if (StartsWithIgnoringCase(FEntries[i].Text, search.Text, FCollation)) {
      set_item_index(static_cast<int>(i));
      return;
    }
}

int TFolderListModel::Indent(int index) const {
  const bool subfolder = FEntries.at(static_cast<std::size_t>(index)).Picture == TEntryPicture::ClosedFolder;
  return FolderEntryIndent(index, subfolder, FCurrentIndex);
}

void TFolderListModel::change() {
  if (FFileList) FFileList->ApplyDirectory(FDirectory);
  if (OnChange) OnChange();
}

void TFolderListModel::add_entry(std::wstring text, TEntryPicture picture) {
  TListEntry entry{std::move(text), picture};
  FWindow.AddEntry(entry);
  FEntries.push_back(std::move(entry));
}

void TFolderListModel::set_item_index(int index) {
  FItemIndex = index;
  FWindow.SetItemIndex(index);
}
