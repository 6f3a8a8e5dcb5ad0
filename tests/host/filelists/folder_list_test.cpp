#include <gtest/gtest.h>

#include "base/errors.h"
#include "lists_fixture.h"

class FolderListTest : public ListsTest {
 protected:
  int FailureCode(const std::wstring& folder) {
    try {
      FFolderList->SetDirectory(folder);
    } catch (const EInOutError& e) {
      return e.ErrorCode;
    }
    return 0;
  }
};

TEST_F(FolderListTest, StartFolderShowsChainCurrentAndVisibleSubfolders) {
  BuildAndShow();
  EXPECT_EQ(FDriveWindow.Texts()[static_cast<std::size_t>(FDriveBox->ItemIndex())], L"c: [system]");
  EXPECT_EQ(Folders(), (TStrings{L"C:\\", L"NC", L"Jobs", L"new", L"Old"}));
  const std::vector<TEntryPicture> kinds{TEntryPicture::OpenFolder, TEntryPicture::OpenFolder,
                                         TEntryPicture::CurrentFolder, TEntryPicture::ClosedFolder,
                                         TEntryPicture::ClosedFolder};
  for (std::size_t i = 0; i < kinds.size(); ++i) EXPECT_EQ(FFolderWindow.Entries[i].Picture, kinds[i]) << i;
  EXPECT_EQ(FFolderList->ItemIndex(), 2);
  EXPECT_EQ(FFolderWindow.ItemIndex, 2);
  EXPECT_EQ(FFolderList->Indent(0), 2);
  EXPECT_EQ(FFolderList->Indent(2), 10);
  EXPECT_EQ(FFolderList->Indent(4), 14);
  EXPECT_EQ(FFolderList->Directory(), L"C:\\NC\\Jobs");
  EXPECT_EQ(FFileList->Directory(), L"C:\\NC\\Jobs");
  EXPECT_EQ(Files(), (TStrings{L"locked.nc", L"Part1.nc", L"part2.nc"}));
}

TEST_F(FolderListTest, DriveRootIsOneCurrentEntryWithItsSubfoldersOneLevelDeeper) {
  BuildAndShow();
  FFolderList->SetDirectory(L"C:\\");
  EXPECT_EQ(Folders(), (TStrings{L"C:\\", L"NC", L"Tools"}));
  EXPECT_EQ(FFolderWindow.Entries[0].Picture, TEntryPicture::CurrentFolder);
  EXPECT_EQ(FFolderList->ItemIndex(), 0);
  EXPECT_EQ(FFolderList->Indent(1), 6);
  EXPECT_EQ(FFolderList->Directory(), L"C:\\");
  EXPECT_EQ(FFs.CurrentFolder(), L"C:\\");
}

TEST_F(FolderListTest, TrailingSeparatorFileNameOrPatternLandInTheFolder) {
  FFs.Start(L"C:\\Tools");
  BuildAndShow();
  FFolderList->SetDirectory(L"C:\\NC\\Jobs\\");
  EXPECT_EQ(FFolderList->Directory(), L"C:\\NC\\Jobs");
  FFolderList->SetDirectory(L"C:\\Tools");
  FFolderList->SetDirectory(L"C:\\NC\\Jobs\\part2.nc");
  EXPECT_EQ(FFolderList->Directory(), L"C:\\NC\\Jobs");
  FFolderList->SetDirectory(L"C:\\NC\\Jobs\\Old\\*.nc");
  EXPECT_EQ(FFolderList->Directory(), L"C:\\NC\\Jobs\\Old");
  EXPECT_EQ(FFileList->Directory(), L"C:\\NC\\Jobs\\Old");
}

TEST_F(FolderListTest, MissingFolderChangesNothing) {
  BuildAndShow();
  const TStrings folders = Folders();
  const TStrings files = Files();
  EXPECT_EQ(FailureCode(L"C:\\NC\\Missing"), 2);
  EXPECT_EQ(FailureCode(L"D:\\Missing\\Deeper\\Deepest"), 3);
  EXPECT_EQ(Folders(), folders);
  EXPECT_EQ(Files(), files);
  EXPECT_EQ(FFolderList->Directory(), L"C:\\NC\\Jobs");
  EXPECT_EQ(FDriveBox->Drive(), L'c');
  EXPECT_EQ(FFs.CurrentFolder(), L"C:\\NC\\Jobs");
  // Texts that change the drive on the way fail or land somewhere, but never split the lists.
  for (const wchar_t* text : {L"\\g:", L"C:C:", L"D:Nope", L"\\\\server\\share\\Nope", L"[D:\\JOBS]"}) {
    FailureCode(text);
    SCOPED_TRACE(testing::PrintToString(std::wstring(text)));
    ExpectInAgreement();
  }
}

TEST_F(FolderListTest, DriveRelativeFolderFromAnotherDrive) {
  BuildAndShow();
  EXPECT_EQ(FailureCode(L"D:JOBS\\2024"), 0);
  EXPECT_EQ(FFolderList->Directory(), L"D:\\JOBS\\2024");
  EXPECT_EQ(FDriveBox->Drive(), L'd');
  ExpectInAgreement();
  EXPECT_EQ(FailureCode(L"C:Old"), 0);  // C:'s current folder is still C:\NC\Jobs
  EXPECT_EQ(FFolderList->Directory(), L"C:\\NC\\Jobs\\Old");
  ExpectInAgreement();
}

TEST_F(FolderListTest, OneReadingServesBothLists) {
  BuildAndShow();
  int listings = FFs.Listings;
  FFolderList->SetDirectory(L"D:\\JOBS");
  EXPECT_EQ(FFs.Listings, listings + 1);
  EXPECT_EQ(Files(), (TStrings{L"mill.nc"}));
  // Any other mask is the file system's to answer, pattern by pattern; a file that several
  // patterns match is listed once.
  FFileList->SetMask(L"*.nc;*.NC");
  listings = FFs.Listings;
  FFolderList->SetDirectory(L"C:\\NC\\Jobs");
  EXPECT_EQ(FFs.Listings, listings + 3);
  EXPECT_EQ(Files(), (TStrings{L"locked.nc", L"Part1.nc", L"part2.nc"}));
}

TEST_F(FolderListTest, SameFolderInOtherCaseIsNotReadAgain) {
  BuildAndShow();
  const int listings = FFs.Listings;
  FFolderList->SetDirectory(L"c:\\nc\\JOBS");
  FFolderList->SetDirectory(L"C:\\NC\\Jobs");
  EXPECT_EQ(FFs.Listings, listings);
}

TEST_F(FolderListTest, OpeningEntriesMovesUpTheChain) {
  BuildAndShow();
  EXPECT_EQ(FFolderList->GetItemPath(0), L"C:\\");
  EXPECT_EQ(FFolderList->GetItemPath(1), L"C:\\NC");
  EXPECT_EQ(FFolderList->GetItemPath(2), L"C:\\NC\\Jobs");
  EXPECT_EQ(FFolderList->GetItemPath(3), L"C:\\NC\\Jobs\\new");
  EXPECT_EQ(FFolderList->GetItemPath(5), L"");
  EXPECT_EQ(FFolderList->GetItemPath(-1), L"");

  const int listings = FFs.Listings;
  FFolderList->Click(2);
  FFolderList->OpenCurrent();
  EXPECT_EQ(FFs.Listings, listings) << "the current folder opens nothing";

  FFolderList->Click(1);
  FFolderList->OpenCurrent();
  EXPECT_EQ(FFolderList->Directory(), L"C:\\NC");
  EXPECT_EQ(Folders(), (TStrings{L"C:\\", L"NC", L"Jobs"}));
  FFolderList->Click(0);
  FFolderList->OpenCurrent();
  EXPECT_EQ(FFolderList->Directory(), L"C:\\");
  EXPECT_EQ(FFileList->Directory(), L"C:\\");
}

TEST_F(FolderListTest, VolumeThatDoesNotPreserveCaseShowsEverythingInLowerCase) {
  FFs.AddDrive(L'C', TDriveType::Fixed, L"System").PreservesCase = false;
  BuildAndShow();
  EXPECT_FALSE(FFolderList->PreserveCase());
  TStrings shown;
  for (const TListEntry& entry : FFolderList->Entries()) shown.push_back(FFolderList->DisplayCase(entry.Text));
  EXPECT_EQ(shown, (TStrings{L"c:\\", L"nc", L"jobs", L"new", L"old"}));
}

TEST_F(FolderListTest, UnreadableFlagsCountAsNeitherPreservingNorSensitive) {
  FFs.AddDrive(L'C', TDriveType::Fixed, L"System").InfoReadable = false;
  BuildAndShow();
  EXPECT_FALSE(FFolderList->PreserveCase());
  EXPECT_FALSE(FFolderList->CaseSensitive());
  EXPECT_EQ(FFolderList->DisplayCase(L"Jobs"), L"jobs");
}

TEST_F(FolderListTest, CaseSensitiveVolumeShowsNamesDifferingOnlyInCaseOnce) {
  TFakeVolume& linux = FFs.AddDrive(L'L', TDriveType::Fixed, L"Linux");
  linux.CaseSensitive = true;
  linux.PreservesCase = false;
  FFs.AddFolder(L"L:\\srv\\Data");
  FFs.AddFolder(L"L:\\srv\\data");
  FFs.AddFolder(L"L:\\srv\\logs");
  BuildAndShow();
  FFolderList->SetDirectory(L"L:\\srv");
  EXPECT_TRUE(FFolderList->CaseSensitive());
  EXPECT_TRUE(FFolderList->PreserveCase());
  EXPECT_EQ(Folders(), (TStrings{L"L:\\", L"srv", L"Data", L"logs"}));
  EXPECT_EQ(FFolderList->DisplayCase(L"Data"), L"Data");
  EXPECT_NE(FFolderList->FileCompareText(L"L:\\SRV", L"L:\\srv"), 0);
}

TEST_F(FolderListTest, NetworkFolderShowsTheShareRootAsFirstEntry) {
  BuildAndShow();
  FFolderList->SetDirectory(L"\\\\server\\share\\Cells");
  EXPECT_EQ(FFolderList->Directory(), L"\\\\server\\share\\Cells");
  EXPECT_EQ(Folders(), (TStrings{L"\\\\server\\share\\", L"Cells", L"Cell1"}));
  EXPECT_EQ(FFolderList->ItemIndex(), 1);
  EXPECT_EQ(FFolderList->GetItemPath(0), L"\\\\server\\share\\");
  EXPECT_EQ(FDriveBox->Drive(), L'\0');
  EXPECT_EQ(FDriveBox->ItemIndex(), -1);
  EXPECT_EQ(FFileList->Directory(), L"\\\\server\\share\\Cells");
  FFolderList->OpenCurrent();  // Cells: already shown
  FFolderList->Click(0);
  FFolderList->OpenCurrent();
  EXPECT_EQ(Folders(), (TStrings{L"\\\\server\\share\\", L"Cells"}));
  EXPECT_EQ(FFolderList->ItemIndex(), 0);
}

TEST_F(FolderListTest, RebuildsWithRedrawingSuspendedAlsoWhenTheListIsFull) {
  BuildAndShow();
  EXPECT_EQ(FFolderWindow.AddsWhileRedrawing, 0);
  FFolderWindow.Capacity = 2;
  try {
    FFolderList->SetDirectory(L"C:\\NC");
    FAIL() << "no error raised";
  } catch (const EOutOfResources& e) {
    EXPECT_EQ(e.Message(), L"Unable to insert a line");
  }
  EXPECT_EQ(FFolderWindow.UpdateDepth, 0);
  EXPECT_EQ(FFolderList->Entries().size(), FFolderWindow.Entries.size());
}

TEST_F(FolderListTest, TypingMovesTheHighlightToTheFirstMatchingEntry) {
  BuildAndShow();
  FFolderList->TypeKey(L'o', 1000);
  EXPECT_EQ(FFolderList->ItemIndex(), 4);
  FFolderList->TypeKey(L'N', 3000);
  EXPECT_EQ(FFolderList->ItemIndex(), 1);
  FFolderList->TypeKey(L'e', 3100);
  EXPECT_EQ(FFolderList->ItemIndex(), 3);
  FFolderList->TypeKey(L'x', 3200);
  EXPECT_EQ(FFolderList->ItemIndex(), 3) << "no match leaves the highlight";
  FFolderList->TypeKey(TTypeAhead::kBackspace, 3300);
  FFolderList->TypeKey(TTypeAhead::kBackspace, 3400);
  FFolderList->TypeKey(TTypeAhead::kBackspace, 3500);
  EXPECT_EQ(FFolderList->ItemIndex(), 0);
}

TEST_F(FolderListTest, FolderEntriesAreReadAtTheFirstRebuildOnly) {
  Build();
  EXPECT_TRUE(Folders().empty());
  FFolderList->SetDirectory(L"C:\\NC");
  EXPECT_EQ(FFolderWindow.Creations, 1);
  EXPECT_EQ(Folders(), (TStrings{L"C:\\", L"NC", L"Jobs"}));
  EXPECT_TRUE(Files().empty()) << "the file list waits for its window";
  EXPECT_EQ(FFileList->Directory(), L"C:\\NC");
}
