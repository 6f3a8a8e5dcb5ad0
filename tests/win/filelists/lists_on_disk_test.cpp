// The list logic over the real file system: what the main window's start-up and the
// user see on a mapped drive.
#include <gtest/gtest.h>

#include "base/errors.h"
#include "disk_helpers.h"
#include "filelists/drive_box_model.h"
#include "filelists/file_list_model.h"
#include "filelists/folder_list_model.h"
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
    Lists().Link();
  }
  // The window is shown: every control has its window and reads what it has not read.
  void Show() { Lists().Show(); }
  TFakeLists Lists() { return {DriveBox, DriveWindow, FolderList, FolderWindow, FileList, FileWindow}; }
  std::wstring HighlightedDrive() const {
    return DriveBox.ItemIndex() < 0 ? L"" : DriveBox.Entries()[static_cast<std::size_t>(DriveBox.ItemIndex())].Text;
  }

  TWinFileSystem Fs;
  // The controls read the process's current folder when they are made.
  const unsigned FStartedAtC = Fs.SetCurrentFolder(L"C:\\");
  TWinCollation Collation;
  TFakeListWindow DriveWindow;
  TFakeListWindow FolderWindow;
  TFakeListWindow FileWindow;
  TFakePointer Pointer;
  TDriveBoxModel DriveBox{Fs, Collation, DriveWindow};
  TFolderListModel FolderList{Fs, Collation, FolderWindow};
  TFileListModel FileList{Fs, Collation, FileWindow, Pointer};
};

TEST_F(ListsOnDiskTest, StartFolderOnAMappedDrive) {
  ApplyStartFolder(DriveBox, FolderList, L"T:\\JOBS\\");
  Show();
  EXPECT_EQ(HighlightedDrive().substr(0, 3), L"t: ");
  EXPECT_EQ(FolderList.Directory(), L"T:\\JOBS");
  EXPECT_EQ(FolderWindow.Texts(), (TStrings{L"T:\\", L"JOBS", L"new", L"Old"}));
  EXPECT_EQ(FileList.Directory(), L"T:\\JOBS");
  EXPECT_EQ(FileWindow.Texts(), (TStrings{L"locked.nc", L"Part1.nc", L"part2.nc"}));
  EXPECT_EQ(Fs.CurrentFolder(), L"T:\\JOBS");
}

TEST_F(ListsOnDiskTest, MissingStartFolderLeavesTheListsOnThatDrive) {
  ASSERT_EQ(Fs.SetCurrentFolder(L"T:\\"), 0u);
  ASSERT_EQ(Fs.SetCurrentFolder(L"C:\\"), 0u);
  try {
    ApplyStartFolder(DriveBox, FolderList, L"T:\\NOPE\\");
    FAIL() << "no error raised";
  } catch (const EInOutError& e) {
    EXPECT_TRUE(e.Message() == L"File not found" || e.Message() == L"Invalid filename");
  }
  EXPECT_EQ(FolderList.Directory(), L"T:\\");
  EXPECT_EQ(Fs.CurrentFolder(), L"T:\\");
}

TEST_F(ListsOnDiskTest, DriveOnAMissingFolderRaisesAnIoErrorAndKeepsTheFolder) {
  ApplyStartFolder(DriveBox, FolderList, L"T:\\JOBS");
  Show();
  EXPECT_THROW(ApplyStartFolder(DriveBox, FolderList, L"U:\\JOBS\\"), EInOutError);
  EXPECT_EQ(FolderList.Directory(), L"T:\\JOBS");
  EXPECT_EQ(FileList.Directory(), L"T:\\JOBS");
}

TEST_F(ListsOnDiskTest, LongListingShowsTheBusyPointer) {
  FolderList.SetDirectory(L"T:\\Many");
  Show();
  EXPECT_EQ(FileList.Count(), 150);
  EXPECT_GE(Pointer.BusyCalls, 1);
  EXPECT_EQ(Pointer.Shape, TFakePointer::kArrow);
  EXPECT_EQ(FileList.Item(0), L"f1000.nc");
  EXPECT_EQ(FileList.Item(149), L"f1149.nc");
}
