// The list logic over the real file system: what the main window's start-up and the
// user see on a mapped drive.
#include <gtest/gtest.h>

#include "base/errors.h"
#include "disk_helpers.h"
#include "filelists/drive_box_model.h"
#include "filelists/file_list_model.h"
#include "filelists/folder_list_model.h"
#include "filelists/list_chain.h"
#include "filelists/start_folder.h"
#include "host/filelists/fakes.h"
#include "platform/file_system_win.h"

using TStrings = std::vector<std::wstring>;

class ListsOnDiskTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    disk::MakeFolder(L"T:\\JOBS");
    disk::MakeFolder(L"T:\\JOBS\\Old");
    disk::MakeFolder(L"T:\\JOBS\\new");
    disk::MakeFolder(L"T:\\JOBS\\.git", FILE_ATTRIBUTE_HIDDEN);
    disk::MakeFile(L"T:\\JOBS\\part2.nc");
    disk::MakeFile(L"T:\\JOBS\\Part1.nc");
    disk::MakeFile(L"T:\\JOBS\\locked.nc", FILE_ATTRIBUTE_READONLY);
    disk::MakeFile(L"T:\\JOBS\\secret.nc", FILE_ATTRIBUTE_HIDDEN);
    disk::MakeFile(L"T:\\JOBS\\boot.nc", FILE_ATTRIBUTE_SYSTEM);
    disk::MakeFolder(L"T:\\Many");
    for (int i = 0; i < 150; ++i) disk::MakeFile(L"T:\\Many\\f" + std::to_wstring(1000 + i) + L".nc");
  }
  void SetUp() override {
    ASSERT_EQ(FStartedAtC, 0u);
    Lists().Link(FChain);
  }
  // The window is shown: every control has its window and reads what it has not read.
  void Show() { Lists().Show(); }
  TFakeLists Lists() { return {FDriveBox, FDriveWindow, FFolderList, FFolderWindow, FFileList, FFileWindow}; }
  std::wstring HighlightedDrive() const {
    return FDriveBox.ItemIndex() < 0 ? L"" : FDriveBox.Entries()[static_cast<std::size_t>(FDriveBox.ItemIndex())].Text;
  }

  TWinFileSystem FFs;
  // The controls read the process's current folder when they are made.
  const unsigned FStartedAtC = FFs.SetCurrentFolder(L"C:\\");
  TWinCollation FCollation;
  TFakeListWindow FDriveWindow;
  TFakeListWindow FFolderWindow;
  TFakeListWindow FFileWindow;
  TFakePointer FPointer;
  TDriveBoxModel FDriveBox{FFs, FCollation, FDriveWindow};
  TFolderListModel FFolderList{FFs, FCollation, FFolderWindow};
  TFileListModel FFileList{FFs, FCollation, FFileWindow, FPointer};
  TListChain FChain;
};

TEST_F(ListsOnDiskTest, StartFolderOnAMappedDrive) {
  ApplyStartFolder(FDriveBox, FFolderList, L"T:\\JOBS\\");
  Show();
  EXPECT_EQ(HighlightedDrive().substr(0, 3), L"t: ");
  EXPECT_EQ(FFolderList.Directory(), L"T:\\JOBS");
  EXPECT_EQ(FFolderWindow.Texts(), (TStrings{L"T:\\", L"JOBS", L"new", L"Old"}));
  EXPECT_EQ(FFileList.Directory(), L"T:\\JOBS");
  EXPECT_EQ(FFileWindow.Texts(), (TStrings{L"locked.nc", L"Part1.nc", L"part2.nc"}));
  EXPECT_EQ(FFs.CurrentFolder(), L"T:\\JOBS");
}

TEST_F(ListsOnDiskTest, MissingStartFolderLeavesTheListsOnThatDrive) {
  ASSERT_EQ(FFs.SetCurrentFolder(L"T:\\"), 0u);
  ASSERT_EQ(FFs.SetCurrentFolder(L"C:\\"), 0u);
  try {
    ApplyStartFolder(FDriveBox, FFolderList, L"T:\\NOPE\\");
    FAIL() << "no error raised";
  } catch (const EInOutError& e) {
    EXPECT_TRUE(e.Message() == L"File not found" || e.Message() == L"Invalid filename");
  }
  EXPECT_EQ(FFolderList.Directory(), L"T:\\");
  EXPECT_EQ(FFs.CurrentFolder(), L"T:\\");
}

TEST_F(ListsOnDiskTest, DriveOnAMissingFolderRaisesAnIoErrorAndKeepsTheFolder) {
  ApplyStartFolder(FDriveBox, FFolderList, L"T:\\JOBS");
  Show();
  EXPECT_THROW(ApplyStartFolder(FDriveBox, FFolderList, L"U:\\JOBS\\"), EInOutError);
  EXPECT_EQ(FFolderList.Directory(), L"T:\\JOBS");
  EXPECT_EQ(FFileList.Directory(), L"T:\\JOBS");
}

TEST_F(ListsOnDiskTest, LongListingShowsTheBusyPointer) {
  FFolderList.SetDirectory(L"T:\\Many");
  Show();
  EXPECT_EQ(FFileList.Count(), 150);
  EXPECT_GE(FPointer.BusyCalls, 1);
  EXPECT_EQ(FPointer.Shape, TFakePointer::kArrow);
  EXPECT_EQ(FFileList.Item(0), L"f1000.nc");
  EXPECT_EQ(FFileList.Item(149), L"f1149.nc");
}
