#pragma once
// The links between one form's drive box, folder list and file list. The form owns the
// chain and hands it to its lists; a list tells the chain what changed, and the chain moves
// the neighbours, so that no list knows another. Each form has a chain of its own.
#include <cstdint>
#include <string>
#include <vector>

class TDriveBoxModel;
class TFolderListModel;
class TFileListModel;

// An entry that a reading of a folder found; the folder list hands its reading on so that
// the file list need not read the same folder again.
struct TFoundFile {
  std::wstring Name;
  std::uint32_t Attributes = 0;
};
using TFolderReading = std::vector<TFoundFile>;

class TListChain {
 public:
  TListChain() = default;
  ~TListChain();  // its lists go on alone
  TListChain(const TListChain&) = delete;
  TListChain& operator=(const TListChain&) = delete;

  // The lists that move together (nullptr: none of that kind), replacing those the chain
  // held; a list that was in another chain leaves it.
  void Link(TDriveBoxModel* driveBox, TFolderListModel* folderList, TFileListModel* fileList);
  // A list that goes leaves its chain.
  void Forget(const TDriveBoxModel& driveBox);
  void Forget(const TFolderListModel& folderList);
  void Forget(const TFileListModel& fileList);

  TDriveBoxModel* DriveBox() const { return FDriveBox; }
  TFolderListModel* FolderList() const { return FFolderList; }
  TFileListModel* FileList() const { return FFileList; }

  // What the lists tell the chain.
  // The user chose drive in the drive box: the folder list goes there. Raises the folder
  // list's error, and then nothing moved.
  void DriveChosen(wchar_t drive);
  // The folder list entered folder and read it as reading: the file list follows. Raises
  // the file list's error, and then the file list is as it was.
  void FolderEntered(const std::wstring& folder, const TFolderReading* reading);
  // The folder list's move is complete: the drive box shows its drive (0 on a share).
  void FolderShown(wchar_t drive);
  // The folder list read folder for the first time. Until the folder list first moves, the
  // file list shows the same folder: it takes this reading.
  void FolderFirstRead(const std::wstring& folder, const TFolderReading& reading);
  // The file list is about to read for the first time: a folder list reads first, so that
  // its reading serves both.
  void FilesFirstShowing();

 private:
  template <typename TList>
  void Take(TList*& slot, TList* list);

  TDriveBoxModel* FDriveBox = nullptr;
  TFolderListModel* FFolderList = nullptr;
  TFileListModel* FFileList = nullptr;
};
