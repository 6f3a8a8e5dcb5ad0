#include "filelists/drive_box_model.h"

#include "filelists/list_chain.h"
#include "filelists/paths.h"

namespace {
constexpr std::size_t kNameBuffer = 261;
}

TDriveBoxModel::TDriveBoxModel(IFileSystem& fs, const ICollation& collation, IListWindow& window)
    : FFileSystem(fs), FCollation(collation), FWindow(window) {
  const std::wstring current = fs.CurrentFolder();
  FDrive = current.empty() || current.front() == L'\\' ? L'\0' : current.front();
}

TDriveBoxModel::~TDriveBoxModel() {
  if (FChain) FChain->Forget(*this);
}

void TDriveBoxModel::SetDrive(wchar_t drive) {
  FWindow.HandleNeeded();
  EnsureListed();
  if (FItemIndex >= 0 && SameDriveLetter(drive, FDrive)) return;
  // A followed box shows the folder list's drive; "no drive" is for a list on a share.
  const bool followed = FChain && FChain->FolderList();
  if (followed && drive == 0) return;
  if (followed) {
    try {
      FChain->DriveChosen(drive);
    } catch (...) {
      SetItemIndex(FItemIndex);  // the window may show the entry the user picked
      throw;
    }
  }
  ShowDrive(drive);
}

void TDriveBoxModel::ShowDrive(wchar_t drive) {
  if (FItemIndex >= 0 && drive != 0 && SameDriveLetter(drive, FDrive)) return;
  if (drive == 0) {
    FDrive = 0;
    SetItemIndex(-1);
  } else {
    FDrive = FTextCase == tcUpperCase ? UpperDriveLetter(drive) : LowerDriveLetter(drive);
    for (std::size_t i = 0; i < FEntries.size(); ++i) {
      const std::wstring& text = FEntries[i].Text;
      if (text.size() >= 2 && SameDriveLetter(text[0], FDrive) && text[1] == L':') {
        SetItemIndex(static_cast<int>(i));
        break;
      }
    }
  }
  if (OnChange) OnChange();
}

void TDriveBoxModel::ListDrives() {
  FListed = true;
  FWindow.ClearEntries();
  FEntries.clear();
  FItemIndex = -1;
  const std::uint32_t mask = FFileSystem.LogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if ((mask & (1u << i)) == 0) continue;
    wchar_t letter = static_cast<wchar_t>(L'a' + i);
    const TDriveType type = FFileSystem.DriveType(std::wstring{letter, L':', L'\\'});
    if (FTextCase == tcUpperCase) letter = UpperDriveLetter(letter);
    const std::wstring name{letter, L':'};
    switch (type) {
      case TDriveType::Removable: AddEntry({name, TEntryPicture::Floppy}); break;
      case TDriveType::Fixed: AddEntry({name + L" " + VolumeCaption(letter), TEntryPicture::Fixed}); break;
      case TDriveType::Remote: AddEntry({name + L" " + NetworkCaption(letter), TEntryPicture::Network}); break;
      case TDriveType::CDRom: AddEntry({name + L" " + VolumeCaption(letter), TEntryPicture::CDRom}); break;
      case TDriveType::RamDisk: AddEntry({name + L" " + VolumeCaption(letter), TEntryPicture::Ram}); break;
      case TDriveType::Unknown:
      case TDriveType::NoRootDir: break;
    }
  }
}

void TDriveBoxModel::WindowCreated() {
  if (!FListed) return;
  ListDrives();
  ShowDrive(FDrive);
}

void TDriveBoxModel::EnsureListed() {
  if (FListed) return;
  FWindow.HandleNeeded();
  ListDrives();
  ShowDrive(FDrive);
}

void TDriveBoxModel::PickEntry(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= FEntries.size()) return;
  SetDrive(FEntries[static_cast<std::size_t>(index)].Text.front());
}

void TDriveBoxModel::SetItemIndex(int index) {
  FItemIndex = index;
  FWindow.SetItemIndex(index);
}

void TDriveBoxModel::AddEntry(TListEntry entry) {
  FWindow.AddEntry(entry);
  FEntries.push_back(std::move(entry));
}

std::wstring TDriveBoxModel::InLetterCase(std::wstring_view text, wchar_t letter) const {
  return letter == UpperDriveLetter(letter) ? FCollation.ToUpper(text) : FCollation.ToLower(text);
}

std::wstring TDriveBoxModel::VolumeCaption(wchar_t letter) {
  std::wstring label;
  {
    // A drive without medium must answer at once instead of prompting the user.
    const TCriticalErrorsOff quiet(FFileSystem);
    if (const auto volume = FFileSystem.VolumeInformation(std::wstring{letter, L':', L'\\'})) label = volume->Label;
  }
  return L"[" + InLetterCase(label, letter) + L"]";
}

std::wstring TDriveBoxModel::NetworkCaption(wchar_t letter) {
  const std::wstring drive{UpperDriveLetter(letter), L':'};
  TRemoteName remote = FFileSystem.RemoteName(drive, kNameBuffer);
  if (remote.Status == TRemoteName::BufferTooSmall) remote = FFileSystem.RemoteName(drive, remote.RequiredSize);
  if (remote.Status == TRemoteName::Ok) return InLetterCase(remote.Name, letter);
  return VolumeCaption(letter);
}
