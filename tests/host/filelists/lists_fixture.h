#pragma once
// A machine with the usual kinds of drive and the three lists linked as the main window
// links them; the fake windows call the logic back when they are created.
#include <gtest/gtest.h>

#include <memory>

#include "fakes.h"
#include "filelists/drive_box_model.h"
#include "filelists/file_list_model.h"
#include "filelists/folder_list_model.h"
#include "filelists/paths.h"

class TListsTest : public testing::Test {
 protected:
  TListsTest() {
    Fs.AddDrive(L'A', TDriveType::Removable, L"floppy");
    Fs.AddDrive(L'C', TDriveType::Fixed, L"System");
    Fs.AddFolder(L"C:\\NC\\Jobs\\Old");
    Fs.AddFolder(L"C:\\NC\\Jobs\\new");
    Fs.AddFolder(L"C:\\NC\\Jobs\\.cache", faHidden);
    Fs.AddFolder(L"C:\\NC\\Jobs\\sys", faSystem);
    Fs.AddFile(L"C:\\NC\\Jobs\\part2.nc", faArchive);
    Fs.AddFile(L"C:\\NC\\Jobs\\Part1.nc");
    Fs.AddFile(L"C:\\NC\\Jobs\\locked.nc", faReadOnly);
    Fs.AddFile(L"C:\\NC\\Jobs\\secret.nc", faHidden);
    Fs.AddFile(L"C:\\NC\\Jobs\\boot.nc", faSystem);
    Fs.AddFolder(L"C:\\Tools");
    Fs.AddDrive(L'D', TDriveType::Fixed, L"Data");
    Fs.AddFolder(L"D:\\JOBS\\2024");
    Fs.AddFile(L"D:\\JOBS\\mill.nc");
    Fs.AddFolder(L"D:\\Archive");
    Fs.AddDrive(L'E', TDriveType::CDRom, L"Disc");
    Fs.AddFolder(L"E:\\Programs");
    Fs.AddDrive(L'F', TDriveType::CDRom).Ready = false;
    Fs.AddDrive(L'N', TDriveType::Remote).RemoteName = L"\\\\Server\\Share";
    Fs.AddDrive(L'Q', TDriveType::Unknown);
    Fs.AddDrive(L'R', TDriveType::RamDisk);
    Fs.AddShare(L"\\\\server\\share");
    Fs.AddFolder(L"\\\\server\\share\\Cells\\Cell1");
    Fs.Start(L"C:\\NC\\Jobs");
  }

  // The three controls as the window layout makes them, at the process's current folder.
  void Build() {
    DriveBox = std::make_unique<TDriveBoxModel>(Fs, Collation, DriveWindow);
    FolderList = std::make_unique<TFolderListModel>(Fs, Collation, FolderWindow);
    FileList = std::make_unique<TFileListModel>(Fs, Collation, FileWindow, Pointer);
    Lists().Link();
  }
  // The main window is made, then shown: the lists read what they show by then.
  void Show() { Lists().Show(); }
  TFakeLists Lists() { return {*DriveBox, DriveWindow, *FolderList, FolderWindow, *FileList, FileWindow}; }
  void BuildAndShow() {
    Build();
    Show();
  }
  // The box shows the folder list's drive and the file list the folder list's folder,
  // whatever happened before.
  void ExpectInAgreement() {
    ASSERT_FALSE(FolderList->Directory().empty());
    EXPECT_TRUE(SameDriveLetter(DriveBox->Drive(), FolderList->Directory().front()))
        << static_cast<char>(DriveBox->Drive()) << " against " << testing::PrintToString(FolderList->Directory());
    EXPECT_EQ(FileList->Directory(), FolderList->Directory());
    EXPECT_EQ(FolderList->GetItemPath(FolderList->CurrentIndex()), FolderList->Directory());
    EXPECT_EQ(Fs.CurrentFolder(), FolderList->Directory());
  }
  std::vector<std::wstring> Files() const { return FileWindow.Texts(); }
  std::vector<std::wstring> Folders() const { return FolderWindow.Texts(); }

  TFakeFileSystem Fs;
  TFakeCollation Collation;
  TFakeListWindow DriveWindow;
  TFakeListWindow FolderWindow;
  TFakeListWindow FileWindow;
  TFakePointer Pointer;
  std::unique_ptr<TDriveBoxModel> DriveBox;
  std::unique_ptr<TFolderListModel> FolderList;
  std::unique_ptr<TFileListModel> FileList;
};

using TStrings = std::vector<std::wstring>;
