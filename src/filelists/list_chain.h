#pragma once
// Who follows whom among the lists: a drive box moves its folder list, a folder list moves
// its file list. The links live here and nowhere else; each list asks for its neighbour
// when a change flows on, and a list that goes is forgotten.
#include <utility>
#include <vector>

class TDriveBoxModel;
class TFolderListModel;
class TFileListModel;

class TListChain {
 public:
  // Each list has at most one neighbour on either side: linking drops older links of both.
  void Link(TDriveBoxModel& drive, TFolderListModel* folder);
  void Link(TFolderListModel& folder, TFileListModel* files);
  void Forget(const TDriveBoxModel& drive);
  void Forget(const TFolderListModel& folder);
  void Forget(const TFileListModel& files);

  TFolderListModel* FolderOf(const TDriveBoxModel& drive) const;
  TDriveBoxModel* DriveOf(const TFolderListModel& folder) const;
  TFileListModel* FilesOf(const TFolderListModel& folder) const;
  TFolderListModel* FolderOf(const TFileListModel& files) const;

 private:
  std::vector<std::pair<TDriveBoxModel*, TFolderListModel*>> FDriveLinks;
  std::vector<std::pair<TFolderListModel*, TFileListModel*>> FFolderLinks;
};

// The chain of the lists of the UI thread.
TListChain& ListChain();
