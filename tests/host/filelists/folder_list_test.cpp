#include <gtest/gtest.h>

#include "base/errors.h"
#include "lists_fixture.h"

class TFolderListTest : public TListsTest {
 protected:
  int FailureCode(const std::wstring& folder) {
    try {
      FolderList->SetDirectory(folder);
    } catch (const EInOutError& e) {
      return e.ErrorCode;
    }
    return 0;
  }
};

TEST_F(TFolderListTest, StartFolderShowsChainCurrentAndVisibleSubfolders) {
  BuildAndShow();
  EXPECT_EQ(DriveWindow.Texts()[static_cast<std::size_t>(DriveBox->ItemIndex())], L"c: [system]");
  EXPECT_EQ(Folders(), (TStrings{L"C:\\", L"NC", L"Jobs", L"new", L"Old"}));
  const std::vector<TEntryPicture> kinds{TEntryPicture::OpenFolder, TEntryPicture::OpenFolder,
                                         TEntryPicture::CurrentFolder, TEntryPicture::ClosedFolder,
                                         TEntryPicture::ClosedFolder};
  for (std::size_t i = 0; i < kinds.size(); ++i) EXPECT_EQ(FolderWindow.Entries[i].Picture, kinds[i]) << i;
  EXPECT_EQ(FolderList->ItemIndex(), 2);
  EXPECT_EQ(FolderWindow.ItemIndex, 2);
  EXPECT_EQ(FolderList->Indent(0), 2);
  EXPECT_EQ(FolderList->Indent(2), 10);
  EXPECT_EQ(FolderList->Indent(4), 14);
  EXPECT_EQ(FolderList->Directory(), L"C:\\NC\\Jobs");
  EXPECT_EQ(FileList->Directory(), L"C:\\NC\\Jobs");
  EXPECT_EQ(Files(), (TStrings{L"locked.nc", L"Part1.nc", L"part2.nc"}));
}

TEST_F(TFolderListTest, DriveRootIsOneCurrentEntryWithItsSubfoldersOneLevelDeeper) {
  BuildAndShow();
  FolderList->SetDirectory(L"C:\\");
  EXPECT_EQ(Folders(), (TStrings{L"C:\\", L"NC", L"Tools"}));
  EXPECT_EQ(FolderWindow.Entries[0].Picture, TEntryPicture::CurrentFolder);
  EXPECT_EQ(FolderList->ItemIndex(), 0);
  EXPECT_EQ(FolderList->Indent(1), 6);
  EXPECT_EQ(FolderList->Directory(), L"C:\\");
  EXPECT_EQ(Fs.CurrentFolder(), L"C:\\");
}

TEST_F(TFolderListTest, TrailingSeparatorFileNameOrPatternLandInTheFolder) {
  Fs.Start(L"C:\\Tools");
  BuildAndShow();
  FolderList->SetDirectory(L"C:\\NC\\Jobs\\");
  EXPECT_EQ(FolderList->Directory(), L"C:\\NC\\Jobs");
  FolderList->SetDirectory(L"C:\\Tools");
  FolderList->SetDirectory(L"C:\\NC\\Jobs\\part2.nc");
  EXPECT_EQ(FolderList->Directory(), L"C:\\NC\\Jobs");
  FolderList->SetDirectory(L"C:\\NC\\Jobs\\Old\\*.nc");
  EXPECT_EQ(FolderList->Directory(), L"C:\\NC\\Jobs\\Old");
  EXPECT_EQ(FileList->Directory(), L"C:\\NC\\Jobs\\Old");
}

TEST_F(TFolderListTest, MissingFolderChangesNothing) {
  BuildAndShow();
  const TStrings folders = Folders();
  const TStrings files = Files();
  EXPECT_EQ(FailureCode(L"C:\\NC\\Missing"), 2);
  EXPECT_EQ(FailureCode(L"D:\\Missing\\Deeper\\Deepest"), 3);
  EXPECT_EQ(Folders(), folders);
  EXPECT_EQ(Files(), files);
  EXPECT_EQ(FolderList->Directory(), L"C:\\NC\\Jobs");
  EXPECT_EQ(DriveBox->Drive(), L'c');
  EXPECT_EQ(Fs.CurrentFolder(), L"C:\\NC\\Jobs");
  // Texts that change the drive on the way fail or land somewhere, but never split the lists.
  for (const wchar_t* text : {L"\\g:", L"C:C:", L"D:Nope", L"\\\\server\\share\\Nope", L"[D:\\JOBS]"}) {
    FailureCode(text);
    SCOPED_TRACE(testing::PrintToString(std::wstring(text)));
    ExpectInAgreement();
  }
}

TEST_F(TFolderListTest, DriveRelativeFolderFromAnotherDrive) {
  BuildAndShow();
  EXPECT_EQ(FailureCode(L"D:JOBS\\2024"), 0);
  EXPECT_EQ(FolderList->Directory(), L"D:\\JOBS\\2024");
  EXPECT_EQ(DriveBox->Drive(), L'd');
  ExpectInAgreement();
  EXPECT_EQ(FailureCode(L"C:Old"), 0);  // C:'s current folder is still C:\NC\Jobs
  EXPECT_EQ(FolderList->Directory(), L"C:\\NC\\Jobs\\Old");
  ExpectInAgreement();
}

TEST_F(TFolderListTest, OneReadingServesBothLists) {
  BuildAndShow();
  int listings = Fs.Listings;
  FolderList->SetDirectory(L"D:\\JOBS");
  EXPECT_EQ(Fs.Listings, listings + 1);
  EXPECT_EQ(Files(), (TStrings{L"mill.nc"}));
  FileList->SetMask(L"*.nc;*.NC");  // each pattern in turn, as the file system would answer
  FolderList->SetDirectory(L"C:\\NC\\Jobs");
  EXPECT_EQ(Files(), (TStrings{L"locked.nc", L"locked.nc", L"Part1.nc", L"Part1.nc", L"part2.nc", L"part2.nc"}));
  FileList->SetMask(L"*.\u00E9");  // beyond what is matched here: the file list reads for itself
  listings = Fs.Listings;
  FolderList->SetDirectory(L"D:\\JOBS");
  EXPECT_EQ(Fs.Listings, listings + 2);
}

TEST_F(TFolderListTest, SameFolderInOtherCaseIsNotReadAgain) {
  BuildAndShow();
  const int listings = Fs.Listings;
  FolderList->SetDirectory(L"c:\\nc\\JOBS");
  FolderList->SetDirectory(L"C:\\NC\\Jobs");
  EXPECT_EQ(Fs.Listings, listings);
}

TEST_F(TFolderListTest, OpeningEntriesMovesUpTheChain) {
  BuildAndShow();
  EXPECT_EQ(FolderList->GetItemPath(0), L"C:\\");
  EXPECT_EQ(FolderList->GetItemPath(1), L"C:\\NC");
  EXPECT_EQ(FolderList->GetItemPath(2), L"C:\\NC\\Jobs");
  EXPECT_EQ(FolderList->GetItemPath(3), L"C:\\NC\\Jobs\\new");
  EXPECT_EQ(FolderList->GetItemPath(5), L"");
  EXPECT_EQ(FolderList->GetItemPath(-1), L"");

  const int listings = Fs.Listings;
  FolderList->Click(2);
  FolderList->OpenCurrent();
  EXPECT_EQ(Fs.Listings, listings) << "the current folder opens nothing";

  FolderList->Click(1);
  FolderList->OpenCurrent();
  EXPECT_EQ(FolderList->Directory(), L"C:\\NC");
  EXPECT_EQ(Folders(), (TStrings{L"C:\\", L"NC", L"Jobs"}));
  FolderList->Click(0);
  FolderList->OpenCurrent();
  EXPECT_EQ(FolderList->Directory(), L"C:\\");
  EXPECT_EQ(FileList->Directory(), L"C:\\");
}

TEST_F(TFolderListTest, VolumeThatDoesNotPreserveCaseShowsEverythingInLowerCase) {
  Fs.AddDrive(L'C', TDriveType::Fixed, L"System").PreservesCase = false;
  BuildAndShow();
  EXPECT_FALSE(FolderList->PreserveCase());
  TStrings shown;
  for (const TListEntry& entry : FolderList->Entries()) shown.push_back(FolderList->DisplayCase(entry.Text));
  EXPECT_EQ(shown, (TStrings{L"c:\\", L"nc", L"jobs", L"new", L"old"}));
}

TEST_F(TFolderListTest, UnreadableFlagsCountAsNeitherPreservingNorSensitive) {
  Fs.AddDrive(L'C', TDriveType::Fixed, L"System").InfoReadable = false;
  BuildAndShow();
  EXPECT_FALSE(FolderList->PreserveCase());
  EXPECT_FALSE(FolderList->CaseSensitive());
  EXPECT_EQ(FolderList->DisplayCase(L"Jobs"), L"jobs");
}

TEST_F(TFolderListTest, CaseSensitiveVolumeShowsNamesDifferingOnlyInCaseOnce) {
  TFakeVolume& linux = Fs.AddDrive(L'L', TDriveType::Fixed, L"Linux");
  linux.CaseSensitive = true;
  linux.PreservesCase = false;
  Fs.AddFolder(L"L:\\srv\\Data");
  Fs.AddFolder(L"L:\\srv\\data");
  Fs.AddFolder(L"L:\\srv\\logs");
  BuildAndShow();
  FolderList->SetDirectory(L"L:\\srv");
  EXPECT_TRUE(FolderList->CaseSensitive());
  EXPECT_TRUE(FolderList->PreserveCase());
  EXPECT_EQ(Folders(), (TStrings{L"L:\\", L"srv", L"Data", L"logs"}));
  EXPECT_EQ(FolderList->DisplayCase(L"Data"), L"Data");
  EXPECT_NE(FolderList->FileCompareText(L"L:\\SRV", L"L:\\srv"), 0);
}

TEST_F(TFolderListTest, NetworkFolderShowsTheShareRootAsFirstEntry) {
  BuildAndShow();
  FolderList->SetDirectory(L"\\\\server\\share\\Cells");
  EXPECT_EQ(FolderList->Directory(), L"\\\\server\\share\\Cells");
  EXPECT_EQ(Folders(), (TStrings{L"\\\\server\\share\\", L"Cells", L"Cell1"}));
  EXPECT_EQ(FolderList->ItemIndex(), 1);
  EXPECT_EQ(FolderList->GetItemPath(0), L"\\\\server\\share\\");
  EXPECT_EQ(DriveBox->Drive(), L'\0');
  EXPECT_EQ(DriveBox->ItemIndex(), -1);
  EXPECT_EQ(FileList->Directory(), L"\\\\server\\share\\Cells");
  FolderList->OpenCurrent();  // Cells: already shown
  FolderList->Click(0);
  FolderList->OpenCurrent();
  EXPECT_EQ(Folders(), (TStrings{L"\\\\server\\share\\", L"Cells"}));
  EXPECT_EQ(FolderList->ItemIndex(), 0);
}

TEST_F(TFolderListTest, RebuildsWithRedrawingSuspendedAlsoWhenTheListIsFull) {
  BuildAndShow();
  EXPECT_EQ(FolderWindow.AddsWhileRedrawing, 0);
  FolderWindow.Capacity = 2;
  try {
    FolderList->SetDirectory(L"C:\\NC");
    FAIL() << "no error raised";
  } catch (const EOutOfResources& e) {
    EXPECT_EQ(e.Message(), L"Unable to insert a line");
  }
  EXPECT_EQ(FolderWindow.UpdateDepth, 0);
  EXPECT_EQ(FolderList->Entries().size(), FolderWindow.Entries.size());
}

TEST_F(TFolderListTest, TypingMovesTheHighlightToTheFirstMatchingEntry) {
  BuildAndShow();
  FolderList->TypeKey(L'o', 1000);
  EXPECT_EQ(FolderList->ItemIndex(), 4);
  FolderList->TypeKey(L'N', 3000);
  EXPECT_EQ(FolderList->ItemIndex(), 1);
  FolderList->TypeKey(L'e', 3100);
  EXPECT_EQ(FolderList->ItemIndex(), 3);
  FolderList->TypeKey(L'x', 3200);
  EXPECT_EQ(FolderList->ItemIndex(), 3) << "no match leaves the highlight";
  FolderList->TypeKey(TTypeAhead::kBackspace, 3300);
  FolderList->TypeKey(TTypeAhead::kBackspace, 3400);
  FolderList->TypeKey(TTypeAhead::kBackspace, 3500);
  EXPECT_EQ(FolderList->ItemIndex(), 0);
}

TEST_F(TFolderListTest, FolderEntriesAreReadAtTheFirstRebuildOnly) {
  Build();
  EXPECT_TRUE(Folders().empty());
  FolderList->SetDirectory(L"C:\\NC");
  EXPECT_EQ(FolderWindow.Creations, 1);
  EXPECT_EQ(Folders(), (TStrings{L"C:\\", L"NC", L"Jobs"}));
  EXPECT_TRUE(Files().empty()) << "the file list waits for its window";
  EXPECT_EQ(FileList->Directory(), L"C:\\NC");
}
