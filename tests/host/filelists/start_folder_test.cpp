#include <gtest/gtest.h>

#include "base/errors.h"
#include "filelists/start_folder.h"
#include "lists_fixture.h"

TEST(StartFolder, DriveAndFolderPartsOfTheAnswer) {
  const auto progs = SplitStartFolder(L"C:\\NC\\PROGS\\");
  ASSERT_TRUE(progs);
  EXPECT_EQ(progs->Drive, L'C');
  EXPECT_EQ(progs->Folder, L"C:\\NC\\PROGS");
  EXPECT_EQ(SplitStartFolder(L"C:\\NC\\PROGS")->Folder, L"C:\\NC\\PROGS");
  EXPECT_EQ(SplitStartFolder(L"C:\\")->Folder, L"C:\\");
  EXPECT_EQ(SplitStartFolder(L"\\")->Folder, L"\\");  // the current drive's root
  EXPECT_EQ(SplitStartFolder(L"C:")->Folder, L"C:\\");
  const auto share = SplitStartFolder(L"\\\\server\\share\\Cells\\");
  EXPECT_EQ(share->Drive, L'\\');
  EXPECT_EQ(share->Folder, L"\\\\server\\share\\Cells");
  EXPECT_EQ(SplitStartFolder(L"\\\\server\\share\\")->Folder, L"\\\\server\\share");
  EXPECT_EQ(SplitStartFolder(L"JOBS")->Drive, L'\0');
  EXPECT_FALSE(SplitStartFolder(L""));
}

class StartUpTest : public ListsTest {
 protected:
  // The start sequence's folder steps, then the window is shown.
  void StartAt(const std::wstring& answer) {
    Build();
    ApplyStartFolder(*FDriveBox, *FFolderList, answer);
    Show();
  }
  std::wstring StartFailure(const std::wstring& answer) {
    Build();
    try {
      ApplyStartFolder(*FDriveBox, *FFolderList, answer);
    } catch (const EInOutError& e) {
      Show();
      return e.Message();
    }
    Show();
    return {};
  }
  std::wstring HighlightedDrive() const {
    return FDriveBox->ItemIndex() < 0 ? L""
                                      : FDriveBox->Entries()[static_cast<std::size_t>(FDriveBox->ItemIndex())].Text;
  }
};

TEST_F(StartUpTest, ListsReadOnlyWhenTheStartSequenceOrTheFirstShowAsks) {
  Build();
  FDriveWindow.HandleNeeded();  // the main window is made with its controls
  FFolderWindow.HandleNeeded();
  FFileWindow.HandleNeeded();
  EXPECT_EQ(FFs.Listings, 0);
  EXPECT_EQ(FFs.LoudVolumeReads + FFs.QuietVolumeReads, 0);
  EXPECT_TRUE(FDriveWindow.Entries.empty());
  ApplyStartFolder(*FDriveBox, *FFolderList, L"D:\\JOBS\\");
  EXPECT_EQ(HighlightedDrive(), L"d: [data]");
  EXPECT_EQ(FFs.Listings, 2) << "the drive's folder, then the start folder, each once for both lists";
  EXPECT_EQ(Files(), (TStrings{L"mill.nc"}));
  Show();
  EXPECT_EQ(FFs.Listings, 2);
}

TEST_F(StartUpTest, FolderWithOrWithoutTrailingSeparator) {
  for (const std::wstring answer : {L"D:\\JOBS\\", L"D:\\JOBS"}) {
    StartAt(answer);
    EXPECT_EQ(HighlightedDrive(), L"d: [data]") << answer;
    EXPECT_EQ(FFolderList->Directory(), L"D:\\JOBS");
    EXPECT_EQ(Folders(), (TStrings{L"D:\\", L"JOBS", L"2024"}));
    EXPECT_EQ(FFileList->Directory(), L"D:\\JOBS");
    EXPECT_EQ(Files(), (TStrings{L"mill.nc"}));
    EXPECT_EQ(FFs.CurrentFolder(), L"D:\\JOBS");
    FFs.Start(L"C:\\NC\\Jobs");
    FDriveWindow = {};
    FFolderWindow = {};
    FFileWindow = {};
  }
}

TEST_F(StartUpTest, DriveRoot) {
  StartAt(L"E:\\");
  EXPECT_EQ(HighlightedDrive(), L"e: [disc]");
  EXPECT_EQ(FFolderList->Directory(), L"E:\\");
  EXPECT_EQ(Folders(), (TStrings{L"E:\\", L"Programs"}));
  EXPECT_EQ(FFolderList->ItemIndex(), 0);
  EXPECT_EQ(FFileList->Directory(), L"E:\\");
}

TEST_F(StartUpTest, MissingFolderLeavesTheListsAtThatDrivesCurrentFolder) {
  FFs.SetCurrentFolder(L"D:\\JOBS\\2024");
  FFs.Start(L"C:\\NC\\Jobs");
  EXPECT_EQ(StartFailure(L"D:\\NOPE\\"), L"File not found");
  EXPECT_EQ(HighlightedDrive(), L"d: [data]");
  EXPECT_EQ(FFolderList->Directory(), L"D:\\JOBS\\2024");
  EXPECT_EQ(FFileList->Directory(), L"D:\\JOBS\\2024");
  EXPECT_EQ(Folders(), (TStrings{L"D:\\", L"JOBS", L"2024"}));
}

TEST_F(StartUpTest, DriveNotReadyKeepsTheFolder) {
  EXPECT_EQ(StartFailure(L"F:\\NC\\"), L"I/O error 21");
  EXPECT_EQ(HighlightedDrive(), L"c: [system]");
  EXPECT_EQ(FFolderList->Directory(), L"C:\\NC\\Jobs");
  EXPECT_EQ(Folders(), (TStrings{L"C:\\", L"NC", L"Jobs", L"new", L"Old"}));
  EXPECT_EQ(FFileList->Directory(), L"C:\\NC\\Jobs");
  EXPECT_EQ(FFs.CurrentFolder(), L"C:\\NC\\Jobs");
}

TEST_F(StartUpTest, NetworkPathFailsAtTheDriveStep) {
  EXPECT_EQ(StartFailure(L"\\\\server\\share\\Cells\\"), L"I/O error 123");
  EXPECT_EQ(FFolderList->Directory(), L"C:\\NC\\Jobs");
  EXPECT_EQ(HighlightedDrive(), L"c: [system]");
  EXPECT_EQ(Files(), (TStrings{L"locked.nc", L"Part1.nc", L"part2.nc"}));
}

TEST_F(StartUpTest, EmptyAnswerLeavesTheListsAtTheStartFolder) {
  StartAt(L"");
  EXPECT_EQ(HighlightedDrive(), L"c: [system]");
  EXPECT_EQ(FFolderList->Directory(), L"C:\\NC\\Jobs");
  EXPECT_EQ(Files(), (TStrings{L"locked.nc", L"Part1.nc", L"part2.nc"}));
}
