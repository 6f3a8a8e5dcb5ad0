#include "filelists/folder_list_model.h"

#include "base/errors.h"
#include "filelists/list_errors.h"
#include "filelists/name_order.h"
#include "filelists/paths.h"
#include "filelists/resolve_target.h"
#include "filelists/row_layout.h"

namespace {

bool IsListedSubfolder(std::wstring_view name, std::uint32_t attributes) {
  return (attributes & faDirectory) != 0 && (attributes & (faHidden | faSystem)) == 0 && name != L"." && name != L"..";
}

}  // namespace

TFolderListModel::TFolderListModel(IFileSystem& fs, const ICollation& collation, IListWindow& window)
    : FFileSystem(fs), FCollation(collation), FWindow(window), FDirectory(fs.CurrentFolder()) {}

TFolderListModel::~TFolderListModel() {
  if (FChain) FChain->Forget(*this);
}

bool TFolderListModel::ListsFiles() const { return FChain && FChain->FileList(); }

void TFolderListModel::SetDirectory(const std::wstring& path) {
  if (path.empty() || FileCompareText(path, FDirectory) == 0) return;
  MoveTo(ResolveTarget(FFileSystem, path).Path());
}

void TFolderListModel::FollowDrive(wchar_t drive) {
  if (drive == 0 || SameDriveLetter(drive, Drive())) return;
  // The drive's remembered folder may have gone (deleted, or another medium): its root then.
  const std::wstring remembered{drive, L':'};
  try {
    MoveTo(remembered);
  } catch (const EInOutError&) {
    MoveTo(std::wstring{UpperDriveLetter(drive), L':', L'\\'});
  }
}

void TFolderListModel::MoveTo(const std::wstring& folder) {
  const std::wstring previous = FDirectory;
  try {
    if (FFileSystem.FolderExists(FDirectory)) FFileSystem.SetCurrentFolder(FDirectory);
    EnterFolder(FFileSystem, folder);
    FDirectory = FFileSystem.CurrentFolder();
    TFolderReading files;
    Read(ListsFiles() ? &files : nullptr);
    if (FChain) FChain->FolderEntered(FDirectory, &files);
  } catch (...) {
    // Everything goes back to the folder it showed, so that the lists agree (the file list
    // has gone back by itself).
    FDirectory = previous;
    if (FFileSystem.FolderExists(previous)) FFileSystem.SetCurrentFolder(previous);
    RebuildEntries();
    throw;
  }
  if (FChain) FChain->FolderShown(Drive());
  if (OnChange) OnChange();
}

void TFolderListModel::EnsureRead() {
  if (FRead) return;
  TFolderReading files;
  const bool listsFiles = ListsFiles();
  Read(listsFiles ? &files : nullptr);
  if (listsFiles) FChain->FolderFirstRead(FDirectory, files);
}

void TFolderListModel::Read(TFolderReading* files) {
  // Creating the window rebuilds the entries of a list that was read: read only once here.
  FRead = false;
  FWindow.HandleNeeded();
  FRead = true;
  Rebuild(files);
}

void TFolderListModel::Rebuild(TFolderReading* files) {
  {
    const TUpdateScope update(FWindow);
    FWindow.ClearEntries();
    FEntries.clear();
    FItemIndex = -1;
    const auto volume = FFileSystem.VolumeInformation(ExtractDrivePart(FDirectory) + L"\\");
    FPreserveCase = volume && (volume->PreservesCase || volume->CaseSensitive);
    FCaseSensitive = volume && volume->CaseSensitive;
    AddChainAndCurrent();
    FCurrentIndex = static_cast<int>(FEntries.size()) - 1;
    AddSubfolders(files);
  }
  SetItemIndex(FCurrentIndex);
}

void TFolderListModel::AddChainAndCurrent() {
  const std::wstring root = ExtractDrivePart(FDirectory) + L"\\";
  const bool network = root.size() > 1 && root[1] == L'\\';
  std::wstring rest = FDirectory;
  if (network) {
    AddEntry(root, TEntryPicture::OpenFolder);
    rest = FDirectory.size() > root.size() ? FDirectory.substr(root.size()) : std::wstring();
  }
  if (rest.empty()) return;
  if (rest.back() != L'\\') {
    bool first = true;
    for (std::size_t separator = rest.find(L'\\'); separator != std::wstring::npos; separator = rest.find(L'\\')) {
      std::wstring component = rest.substr(0, separator);
      if (first && !network) component += L'\\';
      AddEntry(std::move(component), TEntryPicture::OpenFolder);
      rest.erase(0, separator + 1);
      first = false;
    }
  }
  AddEntry(rest, TEntryPicture::CurrentFolder);
}

void TFolderListModel::AddSubfolders(TFolderReading* files) {
  TNameOrder order(FCollation);
  // With a file list to follow, one reading serves both lists.
  FFileSystem.ListEntries(JoinPath(FDirectory, L"*.*"), files == nullptr,
                          [&order, files](std::wstring_view name, std::uint32_t attributes) {
                            if (IsListedSubfolder(name, attributes)) order.Add(name);
                            if (files) files->push_back({std::wstring(name), attributes});
                          });
  std::vector<std::wstring> names = order.Distinct();
  FWindow.ReserveEntries(names.size());
  for (std::wstring& name : names) AddEntry(std::move(name), TEntryPicture::ClosedFolder);
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
  if (index >= 0 && static_cast<std::size_t>(index) < FEntries.size()) SetItemIndex(index);
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
      SetItemIndex(static_cast<int>(i));
      return;
    }
}

int TFolderListModel::Indent(int index) const {
  const bool subfolder = FEntries.at(static_cast<std::size_t>(index)).Picture == TEntryPicture::ClosedFolder;
  return FolderEntryIndent(index, subfolder, FCurrentIndex);
}

void TFolderListModel::AddEntry(std::wstring text, TEntryPicture picture) {
  TListEntry entry{std::move(text), picture};
  FWindow.AddEntry(entry);
  FEntries.push_back(std::move(entry));
}

void TFolderListModel::SetItemIndex(int index) {
  FItemIndex = index;
  FWindow.SetItemIndex(index);
}
