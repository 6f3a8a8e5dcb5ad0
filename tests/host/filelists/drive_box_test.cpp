#include <gtest/gtest.h>

#include <cwctype>

#include "base/errors.h"
#include "lists_fixture.h"

using DriveBoxTest = ListsTest;

TEST_F(DriveBoxTest, ListsEachKnownDriveWithItsCaptionAndPicture) {
  BuildAndShow();
  EXPECT_EQ(FDriveWindow.Texts(),
            (TStrings{L"a:", L"c: [system]", L"d: [data]", L"e: [disc]", L"f: []", L"n: \\\\server\\share", L"r: []"}));
  const std::vector<TEntryPicture> pictures{TEntryPicture::Floppy, TEntryPicture::Fixed, TEntryPicture::Fixed,
                                            TEntryPicture::CDRom,  TEntryPicture::CDRom, TEntryPicture::Network,
                                            TEntryPicture::Ram};
  for (std::size_t i = 0; i < pictures.size(); ++i) EXPECT_EQ(FDriveWindow.Entries[i].Picture, pictures[i]) << i;
  EXPECT_EQ(FDriveBox->ItemIndex(), 1);
  EXPECT_EQ(FDriveWindow.ItemIndex, 1);
  EXPECT_EQ(FDriveBox->Drive(), L'c');
}

TEST_F(DriveBoxTest, UpperTextCaseTurnsLettersLabelsAndSharesUpper) {
  Build();
  FDriveBox->SetTextCase(tcUpperCase);
  Show();
  EXPECT_EQ(FDriveWindow.Texts(),
            (TStrings{L"A:", L"C: [SYSTEM]", L"D: [DATA]", L"E: [DISC]", L"F: []", L"N: \\\\SERVER\\SHARE", L"R: []"}));
  EXPECT_EQ(FDriveBox->Drive(), L'C');
}

TEST_F(DriveBoxTest, LabelsAreReadWithErrorPromptsOffAndRemovableDrivesUntouched) {
  Build();
  FDriveBox->ListDrives();
  EXPECT_EQ(FFs.LoudVolumeReads, 0);
  EXPECT_EQ(FFs.QuietVolumeReads, 5);  // c d e f r; not a:, n: answers with its share
  EXPECT_EQ(FFs.ErrorMode, 0u) << "the previous mode comes back";
}

TEST_F(DriveBoxTest, LongShareNamesAreAskedForOnceMoreWithTheSizeThePlatformWants) {
  const std::wstring longShare = L"\\\\server\\" + std::wstring(300, L's');
  FFs.AddDrive(L'M', TDriveType::Remote).RemoteName = longShare;
  TFakeVolume& lost = FFs.AddDrive(L'L', TDriveType::Remote, L"Lost");
  (void)lost;  // no connection: the volume caption stands in
  Build();
  FDriveBox->ListDrives();
  EXPECT_EQ(FFs.RemoteNameSizes, (std::vector<std::size_t>{261, 261, longShare.size() + 1, 261}));
  EXPECT_EQ(FDriveWindow.Texts()[5], L"l: [lost]");
  EXPECT_EQ(FDriveWindow.Texts()[6], L"m: " + longShare);
}

TEST_F(DriveBoxTest, SameDriveInOtherCaseChangesNothing) {
  BuildAndShow();
  const int listings = FFs.Listings;
  FDriveBox->SetDrive(L'C');
  EXPECT_EQ(FDriveBox->Drive(), L'c');
  EXPECT_EQ(FFs.Listings, listings);
}

TEST_F(DriveBoxTest, PickingADriveMovesTheFolderAndFileLists) {
  BuildAndShow();
  int changes = 0;
  FDriveBox->OnChange = [&] { ++changes; };
  FDriveBox->PickEntry(2);
  EXPECT_EQ(FDriveBox->Drive(), L'd');
  EXPECT_EQ(FDriveBox->ItemIndex(), 2);
  EXPECT_EQ(FFolderList->Directory(), L"D:\\");
  EXPECT_EQ(FFileList->Directory(), L"D:\\");
  EXPECT_EQ(FFs.CurrentFolder(), L"D:\\");
  EXPECT_EQ(Folders(), (TStrings{L"D:\\", L"Archive", L"JOBS"}));
  EXPECT_EQ(changes, 1);
}

TEST_F(DriveBoxTest, SteppingThroughTheDrivesMovesTheListsAtEveryStep) {
  BuildAndShow();
  for (int i = 0; i < static_cast<int>(FDriveBox->Entries().size()); ++i) {
    const wchar_t letter = FDriveBox->Entries()[static_cast<std::size_t>(i)].Text.front();
    if (letter == L'f') {
      EXPECT_THROW(FDriveBox->PickEntry(i), EInOutError);
      continue;
    }
    FDriveBox->PickEntry(i);
    EXPECT_EQ(FDriveBox->ItemIndex(), i);
    EXPECT_EQ(std::towlower(FFolderList->Directory().front()), letter);
    EXPECT_EQ(FFileList->Directory(), FFolderList->Directory());
  }
}

TEST_F(DriveBoxTest, DriveAttachedLaterIsFollowedWhileTheHighlightStays) {
  BuildAndShow();
  FFs.AddDrive(L'G', TDriveType::Fixed, L"Usb");
  FFs.AddFolder(L"G:\\Backup");
  FDriveBox->SetDrive(L'g');
  EXPECT_EQ(FDriveBox->ItemIndex(), 1);
  EXPECT_EQ(FDriveBox->Drive(), L'g');
  EXPECT_EQ(FFolderList->Directory(), L"G:\\");
  EXPECT_EQ(Folders(), (TStrings{L"G:\\", L"Backup"}));
}

TEST_F(DriveBoxTest, DriveWithoutMediumLeavesTheBoxAndTheListsWhereTheyWere) {
  BuildAndShow();
  const TStrings folders = Folders();
  const TStrings files = Files();
  try {
    FDriveBox->SetDrive(L'f');
    FAIL() << "no error raised";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message(), L"I/O error 21");
  }
  EXPECT_EQ(FDriveBox->Drive(), L'c') << "the box keeps agreeing with the lists";
  EXPECT_EQ(FDriveWindow.ItemIndex, FDriveBox->ItemIndex());
  EXPECT_EQ(FDriveWindow.Texts()[static_cast<std::size_t>(FDriveBox->ItemIndex())], L"c: [system]");
  EXPECT_EQ(FFolderList->Directory(), L"C:\\NC\\Jobs");
  EXPECT_EQ(Folders(), folders);
  EXPECT_EQ(FFileList->Directory(), L"C:\\NC\\Jobs");
  EXPECT_EQ(Files(), files);
}

TEST_F(DriveBoxTest, DriveWhoseRememberedFolderHasGoneOpensAtItsRoot) {
  BuildAndShow();
  FFolderList->SetDirectory(L"D:\\JOBS\\2024");
  FDriveBox->SetDrive(L'c');
  FFs.Remove(L"D:\\JOBS");
  for (int time = 0; time < 2; ++time) {
    FDriveBox->SetDrive(L'd');
    EXPECT_EQ(FFolderList->Directory(), L"D:\\");
    EXPECT_EQ(Folders(), (TStrings{L"D:\\", L"Archive"}));
    ExpectInAgreement();
    FDriveBox->SetDrive(L'c');
    EXPECT_EQ(FFolderList->Directory(), L"C:\\NC\\Jobs");
  }
}

TEST_F(DriveBoxTest, NetworkPathCharacterMatchesNoEntryAndFailsToFollow) {
  BuildAndShow();
  EXPECT_THROW(FDriveBox->SetDrive(L'\\'), EInOutError);
  EXPECT_EQ(FDriveBox->ItemIndex(), 1);
  EXPECT_EQ(FFolderList->Directory(), L"C:\\NC\\Jobs");
}

TEST_F(DriveBoxTest, LinksAreClearedWhenALinkedListGoes) {
  Build();
  EXPECT_EQ(FChain.DriveBox(), FDriveBox.get());
  EXPECT_EQ(FChain.FileList(), FFileList.get());
  FFileList.reset();
  EXPECT_EQ(FChain.FileList(), nullptr);
  FFolderList.reset();
  EXPECT_EQ(FChain.FolderList(), nullptr);
  FDriveBox->EnsureListed();  // the box alone still works
  EXPECT_EQ(FDriveBox->ItemIndex(), 1);
}
