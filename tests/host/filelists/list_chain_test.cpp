#include <gtest/gtest.h>

#include "base/errors.h"
#include "lists_fixture.h"

using ListChainTest = ListsTest;

TEST_F(ListChainTest, TheListsOfTwoFormsMoveOnlyWithinTheirOwnChain) {
  BuildAndShow();
  TFakeListWindow driveWindow, folderWindow, fileWindow;
  TDriveBoxModel driveBox{FFs, FCollation, driveWindow};
  TFolderListModel folderList{FFs, FCollation, folderWindow};
  TFileListModel fileList{FFs, FCollation, fileWindow, FPointer};
  TListChain other;
  TFakeLists lists{driveBox, driveWindow, folderList, folderWindow, fileList, fileWindow};
  lists.Link(other);
  lists.Show();

  FFolderList->SetDirectory(L"D:\\JOBS");
  EXPECT_EQ(FFileList->Directory(), L"D:\\JOBS");
  EXPECT_EQ(FDriveBox->Drive(), L'd');
  EXPECT_EQ(fileList.Directory(), L"C:\\NC\\Jobs");
  EXPECT_EQ(driveBox.Drive(), L'c');

  driveBox.SetDrive(L'e');
  EXPECT_EQ(folderList.Directory(), L"E:\\");
  EXPECT_EQ(fileList.Directory(), L"E:\\");
  EXPECT_EQ(FFolderList->Directory(), L"D:\\JOBS");
  EXPECT_EQ(FFileList->Directory(), L"D:\\JOBS");
  EXPECT_EQ(FDriveBox->Drive(), L'd');

  // A list linked into another chain leaves the one it was in.
  FChain.Link(FDriveBox.get(), FFolderList.get(), &fileList);
  EXPECT_EQ(other.FileList(), nullptr);
  folderList.SetDirectory(L"E:\\Programs");
  EXPECT_EQ(fileList.Directory(), L"E:\\");
  FFolderList->SetDirectory(L"C:\\Tools");
  EXPECT_EQ(fileList.Directory(), L"C:\\Tools");
  EXPECT_EQ(FFileList->Directory(), L"D:\\JOBS");
}

TEST_F(ListChainTest, AMoveTheFileListsWindowCannotTakeLeavesAllThreeListsAsTheyWere) {
  for (int i = 0; i < 150; ++i) {
    FFs.AddFile(L"C:\\Many\\f" + std::to_wstring(1000 + i) + L".nc");
    FFs.AddFile(L"D:\\f" + std::to_wstring(1000 + i) + L".nc");
  }
  BuildAndShow();
  FFileWindow.Capacity = 120;
  FFileList->Click(1, false, false);
  FFileList->Click(2, false, true);
  const TStrings folders = Folders();
  const TStrings files = Files();

  EXPECT_THROW(FFolderList->SetDirectory(L"C:\\Many"), EOutOfResources);
  ExpectInAgreement();
  EXPECT_EQ(FFolderList->Directory(), L"C:\\NC\\Jobs");
  EXPECT_EQ(Folders(), folders);
  EXPECT_EQ(Files(), files);
  ASSERT_EQ(FFileList->Count(), 3);
  EXPECT_EQ(FFileList->SelCount(), 2);
  EXPECT_TRUE(FFileList->Selected(1) && FFileList->Selected(2));
  EXPECT_EQ(FFileWindow.Selected, (std::vector<bool>{false, true, true}));
  EXPECT_EQ(FFileWindow.ItemIndex, 2);

  // Picking a drive while the lists show a share: the box goes on showing no drive.
  FFolderList->SetDirectory(L"\\\\server\\share\\Cells");
  ASSERT_EQ(FDriveBox->ItemIndex(), -1);
  EXPECT_THROW(FDriveBox->SetDrive(L'd'), EOutOfResources);
  EXPECT_EQ(FDriveBox->Drive(), L'\0');
  EXPECT_EQ(FDriveWindow.ItemIndex, -1);
  EXPECT_EQ(FFolderList->Directory(), L"\\\\server\\share\\Cells");
  EXPECT_EQ(FFileList->Directory(), L"\\\\server\\share\\Cells");
  EXPECT_EQ(FFs.CurrentFolder(), L"\\\\server\\share\\Cells");
  EXPECT_TRUE(Files().empty());
}
