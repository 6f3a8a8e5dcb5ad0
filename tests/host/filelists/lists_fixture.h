#pragma once
// A machine with the usual kinds of drive and the three lists linked as the main window
// links them; the fake windows call the logic back when they are created.
#include <gtest/gtest.h>

#include <memory>

#include "fakes.h"
#include "filelists/drive_box_model.h"
#include "filelists/file_list_model.h"
#include "filelists/folder_list_model.h"
#include "filelists/list_chain.h"
#include "filelists/paths.h"

class ListsTest : public testing::Test {
 protected:
  ListsTest() {
    FFs.AddDrive(L'A', TDriveType::Removable, L"floppy");
    FFs.AddDrive(L'C', TDriveType::Fixed, L"System");
    FFs.AddFolder(L"C:\\NC\\Jobs\\Old");
    FFs.AddFolder(L"C:\\NC\\Jobs\\new");
    FFs.AddFolder(L"C:\\NC\\Jobs\\.cache", faHidden);
    FFs.AddFolder(L"C:\\NC\\Jobs\\sys", faSystem);
    FFs.AddFile(L"C:\\NC\\Jobs\\part2.nc", faArchive);
    FFs.AddFile(L"C:\\NC\\Jobs\\Part1.nc");
    FFs.AddFile(L"C:\\NC\\Jobs\\locked.nc", faReadOnly);
    FFs.AddFile(L"C:\\NC\\Jobs\\secret.nc", faHidden);
    FFs.AddFile(L"C:\\NC\\Jobs\\boot.nc", faSystem);
    FFs.AddFolder(L"C:\\Tools");
    FFs.AddDrive(L'D', TDriveType::Fixed, L"Data");
    FFs.AddFolder(L"D:\\JOBS\\2024");
    FFs.AddFile(L"D:\\JOBS\\mill.nc");
    FFs.AddFolder(L"D:\\Archive");
    FFs.AddDrive(L'E', TDriveType::CDRom, L"Disc");
    FFs.AddFolder(L"E:\\Programs");
    FFs.AddDrive(L'F', TDriveType::CDRom).Ready = false;
    FFs.AddDrive(L'N', TDriveType::Remote).RemoteName = L"\\\\Server\\Share";
    FFs.AddDrive(L'Q', TDriveType::Unknown);
    FFs.AddDrive(L'R', TDriveType::RamDisk);
    FFs.AddShare(L"\\\\server\\share");
    FFs.AddFolder(L"\\\\server\\share\\Cells\\Cell1");
    FFs.Start(L"C:\\NC\\Jobs");
  }

  // The three controls as the window layout makes them, at the process's current folder.
  void Build() {
    FDriveBox = std::make_unique<TDriveBoxModel>(FFs, FCollation, FDriveWindow);
    FFolderList = std::make_unique<TFolderListModel>(FFs, FCollation, FFolderWindow);
    FFileList = std::make_unique<TFileListModel>(FFs, FCollation, FFileWindow, FPointer);
    Lists().Link(FChain);
  }
  // The main window is made, then shown: the lists read what they show by then.
  void Show() { Lists().Show(); }
  TFakeLists Lists() { return {*FDriveBox, FDriveWindow, *FFolderList, FFolderWindow, *FFileList, FFileWindow}; }
  void BuildAndShow() {
    Build();
    Show();
  }
  // The box shows the folder list's drive and the file list the folder list's folder,
  // whatever happened before.
  void ExpectInAgreement() {
    ASSERT_FALSE(FFolderList->Directory().empty());
    EXPECT_TRUE(SameDriveLetter(FDriveBox->Drive(), FFolderList->Directory().front()))
        << static_cast<char>(FDriveBox->Drive()) << " against " << testing::PrintToString(FFolderList->Directory());
    EXPECT_EQ(FFileList->Directory(), FFolderList->Directory());
    EXPECT_EQ(FFolderList->GetItemPath(FFolderList->CurrentIndex()), FFolderList->Directory());
    EXPECT_EQ(FFs.CurrentFolder(), FFolderList->Directory());
  }
  std::vector<std::wstring> Files() const { return FFileWindow.Texts(); }
  std::vector<std::wstring> Folders() const { return FFolderWindow.Texts(); }

  TFakeFileSystem FFs;
  TFakeCollation FCollation;
  TFakeListWindow FDriveWindow;
  TFakeListWindow FFolderWindow;
  TFakeListWindow FFileWindow;
  TFakePointer FPointer;
  TListChain FChain;
  std::unique_ptr<TDriveBoxModel> FDriveBox;
  std::unique_ptr<TFolderListModel> FFolderList;
  std::unique_ptr<TFileListModel> FFileList;
};

using TStrings = std::vector<std::wstring>;
