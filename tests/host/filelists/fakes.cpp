#include "fakes.h"

#include <algorithm>
#include <cwctype>
#include <stdexcept>
#include <utility>

#include "base/errors.h"
#include "filelists/drive_box_model.h"
#include "filelists/file_list_model.h"
#include "filelists/folder_list_model.h"
#include "filelists/list_chain.h"
#include "filelists/list_errors.h"
#include "filelists/paths.h"

namespace {

wchar_t Fold(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }
wchar_t Unfold(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

std::wstring Folded(std::wstring_view text) {
  std::wstring result(text);
  std::transform(result.begin(), result.end(), result.begin(), Fold);
  return result;
}

bool SameName(const std::wstring& a, const std::wstring& b, bool caseSensitive) {
  return caseSensitive ? a == b : Folded(a) == Folded(b);
}

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
  return folder.empty() || folder.back() == L'\\' ? folder + name : folder + L"\\" + name;
}

int Sign(int value) { return (value > 0) - (value < 0); }

// The file system drops trailing blanks and dots from a pattern: "*.nc " is "*.nc" and "*.."
// is "*.", whose final dot still stands for "or the end of the name".
std::wstring AsFileSystemReadsIt(std::wstring pattern) {
  const std::size_t kept = pattern.find_last_not_of(L" .") + 1;
  const bool endedInDot = pattern.find(L'.', kept) != std::wstring::npos;
  pattern.erase(kept);
  if (endedInDot) pattern += L'.';
  return pattern;
}

}  // namespace

TFakeVolume& TFakeFileSystem::AddDrive(wchar_t letter, TDriveType type, std::wstring label) {
  TFakeVolume& volume = FDrives[Unfold(letter)];
  volume.Type = type;
  volume.Label = std::move(label);
  return volume;
}

TFakeVolume& TFakeFileSystem::AddShare(const std::wstring& unc) {
  TFakeVolume& volume = FShares[Folded(unc)];
  volume.Type = TDriveType::Remote;
  return volume;
}

void TFakeFileSystem::AddFolder(const std::wstring& path, std::uint32_t attributes) {
  Make(path, faDirectory | attributes);
}

void TFakeFileSystem::AddFile(const std::wstring& path, std::uint32_t attributes, std::wstring shortName) {
  Make(path, attributes).ShortName = std::move(shortName);
}

void TFakeFileSystem::Remove(const std::wstring& path) {
  TLocation where = Locate(path);
  const std::wstring name = where.Parts.back();
  where.Parts.pop_back();
  unsigned error = 0;
  TFakeNode* parent = Find(where, error);
  if (!parent) return;  // gone already
  auto& children = parent->Children;
  children.erase(
      std::remove_if(children.begin(), children.end(), [&](const TFakeNode& child) { return child.Name == name; }),
      children.end());
}

void TFakeFileSystem::Start(const std::wstring& path) {
  if (SetCurrentFolder(path) != 0) throw std::logic_error("start folder missing");
}

TFakeFileSystem::TLocation TFakeFileSystem::Locate(const std::wstring& path) {
  TLocation where;
  std::wstring rest;
  if (path.size() >= 2 && path[1] == L':' && std::iswalpha(path[0])) {
    const auto drive = FDrives.find(Unfold(path[0]));
    if (drive == FDrives.end()) {
      where.Error = kPathNotFound;
      return where;
    }
    rest = path.substr(2);
    if (rest.empty() || rest.front() != L'\\') {
      const auto current = FDriveCurrent.find(Unfold(path[0]));
      const std::wstring base =
          current != FDriveCurrent.end() ? current->second : std::wstring{Unfold(path[0]), L':', L'\\'};
      return Locate(rest.empty() ? base : Join(base, rest));
    }
    where.Volume = &drive->second;
    where.Prefix = path.substr(0, 2);
  } else if (path.rfind(L"\\\\", 0) == 0) {
    std::size_t end = path.find(L'\\', 2);
    end = end == std::wstring::npos ? end : path.find(L'\\', end + 1);
    where.Prefix = path.substr(0, end);
    const auto share = FShares.find(Folded(where.Prefix));
    if (share == FShares.end()) {
      where.Error = kPathNotFound;
      return where;
    }
    where.Volume = &share->second;
    rest = end == std::wstring::npos ? std::wstring() : path.substr(end);
  } else if (path.rfind(L"\\", 0) == 0) {
    const std::size_t drive = FCurrent.rfind(L"\\\\", 0) == 0 ? FCurrent.find(L'\\', FCurrent.find(L'\\', 2) + 1) : 2;
    return Locate(FCurrent.substr(0, drive) + path);
  } else {
    return Locate(Join(FCurrent, path));
  }
  std::size_t start = 0;
  while (start <= rest.size()) {
    const std::size_t end = std::min(rest.find(L'\\', start), rest.size());
    const std::wstring part = rest.substr(start, end - start);
    start = end + 1;
    if (part.empty() || part == L".") continue;
    if (part == L"..") {
      if (!where.Parts.empty()) where.Parts.pop_back();
      continue;
    }
    if (part.find_first_of(L":*?<>|\"") != std::wstring::npos) where.Error = kInvalidName;
    where.Parts.push_back(part);
  }
  return where;
}

TFakeNode* TFakeFileSystem::Find(const TLocation& where, unsigned& error) {
  error = where.Error;
  if (error != 0) return nullptr;
  if (!where.Volume->Ready) {
    error = kNotReady;
    return nullptr;
  }
  TFakeNode* node = &where.Volume->Root;
  for (std::size_t i = 0; i < where.Parts.size(); ++i) {
    auto& children = node->Children;
    const auto child = std::find_if(children.begin(), children.end(), [&](const TFakeNode& c) {
      return SameName(c.Name, where.Parts[i], where.Volume->CaseSensitive);
    });
    const bool last = i + 1 == where.Parts.size();
    if (child == children.end() || (!last && (child->Attributes & faDirectory) == 0)) {
      error = last ? kFileNotFound : kPathNotFound;
      return nullptr;
    }
    node = &*child;
  }
  return node;
}

TFakeNode& TFakeFileSystem::Make(const std::wstring& path, std::uint32_t attributes) {
  const TLocation where = Locate(path);
  if (where.Error != 0) throw std::logic_error("fake path outside the volumes");
  TFakeNode* node = &where.Volume->Root;
  for (std::size_t i = 0; i < where.Parts.size(); ++i) {
    auto& children = node->Children;
    auto child = std::find_if(children.begin(), children.end(), [&](const TFakeNode& c) {
      return SameName(c.Name, where.Parts[i], where.Volume->CaseSensitive);
    });
    if (child == children.end()) {
      children.push_back({where.Parts[i], faDirectory, {}, {}});
      child = children.end() - 1;
    }
    node = &*child;
  }
  node->Attributes = attributes;
  return *node;
}

std::wstring TFakeFileSystem::TextOf(const TLocation& where) {
  std::wstring text = where.Prefix + L"\\";
  for (std::size_t i = 0; i < where.Parts.size(); ++i) text += (i > 0 ? L"\\" : L"") + where.Parts[i];
  return text;
}

std::uint32_t TFakeFileSystem::LogicalDrives() {
  std::uint32_t mask = 0;
  for (const auto& [letter, volume] : FDrives) mask |= 1u << (letter - L'A');
  return mask;
}

TDriveType TFakeFileSystem::DriveType(const std::wstring& root) {
  const auto drive = FDrives.find(Unfold(root.front()));
  return drive == FDrives.end() ? TDriveType::NoRootDir : drive->second.Type;
}

std::optional<TVolumeInformation> TFakeFileSystem::VolumeInformation(const std::wstring& root) {
  ++(ErrorMode != 0 ? QuietVolumeReads : LoudVolumeReads);
  const TLocation where = Locate(root);
  if (where.Error != 0 || !where.Volume->Ready || !where.Volume->InfoReadable) return std::nullopt;
  return TVolumeInformation{where.Volume->Label, where.Volume->PreservesCase, where.Volume->CaseSensitive};
}

TRemoteName TFakeFileSystem::RemoteName(const std::wstring& drive, std::size_t bufferSize) {
  RemoteNameSizes.push_back(bufferSize);
  const auto found = FDrives.find(Unfold(drive.front()));
  if (found == FDrives.end() || found->second.RemoteName.empty()) return {};
  const std::wstring& name = found->second.RemoteName;
  if (bufferSize < name.size() + 1) return {TRemoteName::BufferTooSmall, {}, name.size() + 1};
  return {TRemoteName::Ok, name, 0};
}

unsigned TFakeFileSystem::CriticalErrorsOff() { return std::exchange(ErrorMode, 1u); }

void TFakeFileSystem::RestoreErrorMode(unsigned mode) { ErrorMode = mode; }

unsigned TFakeFileSystem::SetCurrentFolder(const std::wstring& path) {
  if (path.empty()) return kPathNotFound;
  const TLocation where = Locate(path);
  unsigned error = 0;
  const TFakeNode* node = Find(where, error);
  if (!node) return error;
  if ((node->Attributes & faDirectory) == 0) return kDirectory;
  FCurrent = TextOf(where);
  if (where.Prefix.size() == 2) FDriveCurrent[Unfold(where.Prefix.front())] = FCurrent;
  return 0;
}

bool TFakeFileSystem::FolderExists(const std::wstring& path) {
  if (path.empty()) return false;
  unsigned error = 0;
  const TFakeNode* node = Find(Locate(path), error);
  return node && (node->Attributes & faDirectory) != 0;
}

bool TFakeFileSystem::FileExists(const std::wstring& path) {
  if (path.empty()) return false;
  unsigned error = 0;
  const TFakeNode* node = Find(Locate(path), error);
  return node && (node->Attributes & faDirectory) == 0;
}

void TFakeFileSystem::ListEntries(const std::wstring& pattern, bool, const TFoundEntry& found) {
  ++Listings;
  const std::size_t separator = pattern.rfind(L'\\');
  const TLocation where = Locate(pattern.substr(0, separator + 1));
  unsigned error = 0;
  const TFakeNode* folder = Find(where, error);
  if (!folder || (folder->Attributes & faDirectory) == 0) return;
  if (!where.Parts.empty()) {
    found(L".", faDirectory);
    found(L"..", faDirectory);
  }
  const std::wstring mask = AsFileSystemReadsIt(pattern.substr(separator + 1));
  // The file system's wildcard rules, on the name and on its short alias.
  for (const TFakeNode& child : folder->Children)
    if (MatchesMask(child.Name, mask) || (!child.ShortName.empty() && MatchesMask(child.ShortName, mask)))
      found(child.Name, child.Attributes);
}

int TFakeCollation::Compare(std::wstring_view a, std::wstring_view b) const {
  if (const int byFold = CompareIgnoreCase(a, b)) return byFold;
  return -Sign(a.compare(b));  // lower case before upper case
}

int TFakeCollation::CompareIgnoreCase(std::wstring_view a, std::wstring_view b) const {
  return Sign(Folded(a).compare(Folded(b)));
}

std::string TFakeCollation::SortKeyIgnoreCase(std::wstring_view text) const {
  std::string key;
  for (const wchar_t c : Folded(text)) {
    key += static_cast<char>((c >> 8) & 0xFF);
    key += static_cast<char>(c & 0xFF);
  }
  return key;
}

std::wstring TFakeCollation::ToLower(std::wstring_view text) const { return Folded(text); }

std::wstring TFakeCollation::ToUpper(std::wstring_view text) const {
  std::wstring result(text);
  std::transform(result.begin(), result.end(), result.begin(), Unfold);
  return result;
}

void TFakeListWindow::HandleNeeded() {
  if (Allocated) return;
  Allocated = true;
  ++Creations;
  if (OnCreate) OnCreate();
}

void TFakeListWindow::ClearEntries() {
  Entries.clear();
  Selected.clear();
  ItemIndex = -1;
}

void TFakeListWindow::AddEntry(const TListEntry& entry) {
  if (Entries.size() >= Capacity) RaiseInsertLineError();
  if (UpdateDepth == 0) ++AddsWhileRedrawing;
  Entries.push_back(entry);
  Selected.push_back(false);
}

void TFakeListWindow::SetSelected(int index, bool selected) {
  Selected.at(static_cast<std::size_t>(index)) = selected;
  ++SelectionCalls;
}

void TFakeListWindow::SetAllSelected(bool selected) {
  Selected.assign(Selected.size(), selected);
  ++SelectionCalls;
}

std::vector<std::wstring> TFakeListWindow::Texts() const {
  std::vector<std::wstring> texts;
  for (const TListEntry& entry : Entries) texts.push_back(entry.Text);
  return texts;
}

void TFakeLists::Link(TListChain& chain) {
  chain.Link(&DriveBox, &FolderList, &FileList);
  // The lists outlive this bundle, which callers make as they need it.
  DriveWindow.OnCreate = [&driveBox = DriveBox] { driveBox.WindowCreated(); };
  FolderWindow.OnCreate = [&folderList = FolderList] { folderList.WindowCreated(); };
  FileWindow.OnCreate = [&fileList = FileList] { fileList.WindowCreated(); };
}

void TFakeLists::Show() {
  DriveWindow.HandleNeeded();
  FolderWindow.HandleNeeded();
  FileWindow.HandleNeeded();
  DriveBox.EnsureListed();
  FolderList.EnsureRead();
  FileList.EnsureRead();
}

void TFakePointer::SetBusy() {
  Shape = kBusy;
  ++BusyCalls;
  if (OnBusy) OnBusy();
}
