#include <gtest/gtest.h>

#include <cwctype>

#include "base/errors.h"
#include "lists_fixture.h"

using TDriveBoxTest = TListsTest;

TEST_F(TDriveBoxTest, ListsEachKnownDriveWithItsCaptionAndPicture) {
  BuildAndShow();
  EXPECT_EQ(DriveWindow.Texts(), (TStrings{L"a:", L"c: [system]", L"d: [data]", L"e: [disc]", L"f: []",
                                           L"n: \\\\server\\share", L"r: []"}));
  const std::vector<TEntryPicture> pictures{TEntryPicture::Floppy, TEntryPicture::Fixed, TEntryPicture::Fixed,
                                            TEntryPicture::CDRom,  TEntryPicture::CDRom, TEntryPicture::Network,
                                            TEntryPicture::Ram};
  for (std::size_t i = 0; i < pictures.size(); ++i) EXPECT_EQ(DriveWindow.Entries[i].Picture, pictures[i]) << i;
  EXPECT_EQ(DriveBox->ItemIndex(), 1);
  EXPECT_EQ(DriveWindow.ItemIndex, 1);
  EXPECT_EQ(DriveBox->Drive(), L'c');
}

TEST_F(TDriveBoxTest, UpperTextCaseTurnsLettersLabelsAndSharesUpper) {
  Build();
  DriveBox->SetTextCase(tcUpperCase);
  Show();
  EXPECT_EQ(DriveWindow.Texts(), (TStrings{L"A:", L"C: [SYSTEM]", L"D: [DATA]", L"E: [DISC]", L"F: []",
                                           L"N: \\\\SERVER\\SHARE", L"R: []"}));
  EXPECT_EQ(DriveBox->Drive(), L'C');
}

TEST_F(TDriveBoxTest, LabelsAreReadWithErrorPromptsOffAndRemovableDrivesUntouched) {
  Build();
  DriveBox->ListDrives();
  EXPECT_EQ(Fs.LoudVolumeReads, 0);
  EXPECT_EQ(Fs.QuietVolumeReads, 5);  // c d e f r; not a:, n: answers with its share
  EXPECT_EQ(Fs.ErrorMode, 0u) << "the previous mode comes back";
}

TEST_F(TDriveBoxTest, LongShareNamesAreAskedForOnceMoreWithTheSizeThePlatformWants) {
  const std::wstring longShare = L"\\\\server\\" + std::wstring(300, L's');
  Fs.AddDrive(L'M', TDriveType::Remote).RemoteName = longShare;
  TFakeVolume& lost = Fs.AddDrive(L'L', TDriveType::Remote, L"Lost");
  (void)lost;  // no connection: the volume caption stands in
  Build();
  DriveBox->ListDrives();
  EXPECT_EQ(Fs.RemoteNameSizes, (std::vector<std::size_t>{261, 261, longShare.size() + 1, 261}));
  EXPECT_EQ(DriveWindow.Texts()[5], L"l: [lost]");
  EXPECT_EQ(DriveWindow.Texts()[6], L"m: " + longShare);
}

TEST_F(TDriveBoxTest, SameDriveInOtherCaseChangesNothing) {
  BuildAndShow();
  const int listings = Fs.Listings;
  DriveBox->SetDrive(L'C');
  EXPECT_EQ(DriveBox->Drive(), L'c');
  EXPECT_EQ(Fs.Listings, listings);
}

TEST_F(TDriveBoxTest, PickingADriveMovesTheFolderAndFileLists) {
  BuildAndShow();
  int changes = 0;
  DriveBox->OnChange = [&] { ++changes; };
  DriveBox->PickEntry(2);
  EXPECT_EQ(DriveBox->Drive(), L'd');
  EXPECT_EQ(DriveBox->ItemIndex(), 2);
  EXPECT_EQ(FolderList->Directory(), L"D:\\");
  EXPECT_EQ(FileList->Directory(), L"D:\\");
  EXPECT_EQ(Fs.CurrentFolder(), L"D:\\");
  EXPECT_EQ(Folders(), (TStrings{L"D:\\", L"Archive", L"JOBS"}));
  EXPECT_EQ(changes, 1);
}

TEST_F(TDriveBoxTest, SteppingThroughTheDrivesMovesTheListsAtEveryStep) {
  BuildAndShow();
  for (int i = 0; i < static_cast<int>(DriveBox->Entries().size()); ++i) {
    const wchar_t letter = DriveBox->Entries()[static_cast<std::size_t>(i)].Text.front();
    if (letter == L'f') {
      EXPECT_THROW(DriveBox->PickEntry(i), EInOutError);
      continue;
    }
    DriveBox->PickEntry(i);
    EXPECT_EQ(DriveBox->ItemIndex(), i);
    EXPECT_EQ(std::towlower(FolderList->Directory().front()), letter);
    EXPECT_EQ(FileList->Directory(), FolderList->Directory());
  }
}

TEST_F(TDriveBoxTest, DriveAttachedLaterIsFollowedWhileTheHighlightStays) {
  BuildAndShow();
  Fs.AddDrive(L'G', TDriveType::Fixed, L"Usb");
  Fs.AddFolder(L"G:\\Backup");
  DriveBox->SetDrive(L'g');
  EXPECT_EQ(DriveBox->ItemIndex(), 1);
  EXPECT_EQ(DriveBox->Drive(), L'g');
  EXPECT_EQ(FolderList->Directory(), L"G:\\");
  EXPECT_EQ(Folders(), (TStrings{L"G:\\", L"Backup"}));
}

TEST_F(TDriveBoxTest, DriveWithoutMediumLeavesTheBoxAndTheListsWhereTheyWere) {
  BuildAndShow();
  const TStrings folders = Folders();
  const TStrings files = Files();
  try {
    DriveBox->SetDrive(L'f');
    FAIL() << "no error raised";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message(), L"I/O error 21");
  }
  EXPECT_EQ(DriveBox->Drive(), L'c') << "the box keeps agreeing with the lists";
  EXPECT_EQ(DriveWindow.ItemIndex, DriveBox->ItemIndex());
  EXPECT_EQ(DriveWindow.Texts()[static_cast<std::size_t>(DriveBox->ItemIndex())], L"c: [system]");
  EXPECT_EQ(FolderList->Directory(), L"C:\\NC\\Jobs");
  EXPECT_EQ(Folders(), folders);
  EXPECT_EQ(FileList->Directory(), L"C:\\NC\\Jobs");
  EXPECT_EQ(Files(), files);
}

TEST_F(TDriveBoxTest, DriveWhoseRememberedFolderHasGoneOpensAtItsRoot) {
  BuildAndShow();
  FolderList->SetDirectory(L"D:\\JOBS\\2024");
  DriveBox->SetDrive(L'c');
  Fs.Remove(L"D:\\JOBS");
  for (int time = 0; time < 2; ++time) {
    DriveBox->SetDrive(L'd');
    EXPECT_EQ(FolderList->Directory(), L"D:\\");
    EXPECT_EQ(Folders(), (TStrings{L"D:\\", L"Archive"}));
    ExpectInAgreement();
    DriveBox->SetDrive(L'c');
    EXPECT_EQ(FolderList->Directory(), L"C:\\NC\\Jobs");
  }
}

TEST_F(TDriveBoxTest, NetworkPathCharacterMatchesNoEntryAndFailsToFollow) {
  BuildAndShow();
  EXPECT_THROW(DriveBox->SetDrive(L'\\'), EInOutError);
  EXPECT_EQ(DriveBox->ItemIndex(), 1);
  EXPECT_EQ(FolderList->Directory(), L"C:\\NC\\Jobs");
}

TEST_F(TDriveBoxTest, LinksAreClearedWhenALinkedListGoes) {
  Build();
  EXPECT_EQ(FolderList->DriveCombo(), DriveBox.get());
  EXPECT_EQ(FileList->DirList(), FolderList.get());
  FileList.reset();
  EXPECT_EQ(FolderList->FileList(), nullptr);
  FolderList.reset();
  EXPECT_EQ(DriveBox->DirList(), nullptr);
  DriveBox->EnsureListed();  // the box alone still works
  EXPECT_EQ(DriveBox->ItemIndex(), 1);
}
