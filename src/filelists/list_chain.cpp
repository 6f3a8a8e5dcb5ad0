#include "filelists/list_chain.h"

#include "filelists/drive_box_model.h"
#include "filelists/file_list_model.h"
#include "filelists/folder_list_model.h"

TListChain::~TListChain() { Link(nullptr, nullptr, nullptr); }

template <typename TList>
void TListChain::Take(TList*& slot, TList* list) {
  if (slot) slot->FChain = nullptr;
  slot = list;
  if (!list) return;
  if (list->FChain && list->FChain != this) list->FChain->Forget(*list);
  list->FChain = this;
}

void TListChain::Link(TDriveBoxModel* driveBox, TFolderListModel* folderList, TFileListModel* fileList) {
  Take(FDriveBox, driveBox);
  Take(FFolderList, folderList);
  Take(FFileList, fileList);
}

void TListChain::Forget(const TDriveBoxModel& driveBox) {
  if (FDriveBox == &driveBox) FDriveBox = nullptr;
}

void TListChain::Forget(const TFolderListModel& folderList) {
  if (FFolderList == &folderList) FFolderList = nullptr;
}

void TListChain::Forget(const TFileListModel& fileList) {
  if (FFileList == &fileList) FFileList = nullptr;
}

void TListChain::DriveChosen(wchar_t drive) {
  if (FFolderList) FFolderList->FollowDrive(drive);
}

void TListChain::FolderEntered(const std::wstring& folder, const TFolderReading* reading) {
  if (FFileList) FFileList->ApplyDirectory(folder, reading);
}

void TListChain::FolderShown(wchar_t drive) {
  if (FDriveBox) FDriveBox->ShowDrive(drive);
}

void TListChain::FolderFirstRead(const std::wstring& folder, const TFolderReading& reading) {
  if (FFileList && FFileList->Directory() == folder) FFileList->EnsureRead(&reading);
}

void TListChain::FilesFirstShowing() {
  if (FFolderList) FFolderList->EnsureRead();
}
