#include <gtest/gtest.h>

#include "base/errors.h"
#include "lists_fixture.h"

class FileListTest : public ListsTest {
 protected:
  // count plain files named n000.nc ... in C:\Many, arriving in name order.
  void AddManyFiles(int count) {
    for (int i = 0; i < count; ++i) {
      std::wstring number = std::to_wstring(i);
      FFs.AddFile(L"C:\\Many\\n" + std::wstring(3 - number.size(), L'0') + number + L".nc");
    }
  }
  std::vector<int> SelectedIndexes() const {
    std::vector<int> selected;
    for (int i = 0; i < FFileList->Count(); ++i)
      if (FFileList->Selected(i)) {
        selected.push_back(i);
        EXPECT_TRUE(FFileWindow.Selected[static_cast<std::size_t>(i)]) << "window mirrors entry " << i;
      }
    return selected;
  }
};

TEST_F(FileListTest, ListsPlainFilesInOrderIgnoringCase) {
  FFs.AddFile(L"C:\\NC\\Jobs\\Zeta.txt");
  FFs.AddFile(L"C:\\NC\\Jobs\\alpha.TXT", faArchive | faReadOnly);
  BuildAndShow();
  EXPECT_EQ(Files(), (TStrings{L"alpha.TXT", L"locked.nc", L"Part1.nc", L"part2.nc", L"Zeta.txt"}));
  EXPECT_EQ(FFileList->Count(), 5);
  EXPECT_EQ(FFileList->Item(1), L"locked.nc");
}

TEST_F(FileListTest, MaskPatternsAreListedInTurnEachFileOnce) {
  FFs.AddFile(L"C:\\NC\\Jobs\\notes.txt");
  FFs.AddFile(L"C:\\NC\\Jobs\\tool.tap");
  FFs.AddFile(L"C:\\NC\\Jobs\\x.ncfile", 0, L"X~1.NCF");
  Build();
  FFileList->SetMask(L"*.txt;;*.TAP");
  Show();
  EXPECT_EQ(Files(), (TStrings{L"notes.txt", L"tool.tap"}));
  // A new mask refills the list; a file that several patterns match shows once.
  FFileList->Click(0, false, false);
  FFileList->SetMask(L"*.nc;*.NC;p*");
  EXPECT_EQ(Files(), (TStrings{L"locked.nc", L"Part1.nc", L"part2.nc"}));
  EXPECT_EQ(FFileList->SelCount(), 0);
  FFileList->SetMask(L"*.tap .");  // as the file system reads it: "*.tap."
  EXPECT_EQ(Files(), (TStrings{L"tool.tap"}));
  FFileList->SetMask(L"*.n??");  // the file system also matches short aliases
  EXPECT_EQ(Files(), (TStrings{L"locked.nc", L"Part1.nc", L"part2.nc", L"x.ncfile"}));
  // A folder that has gone keeps the mask and the entries.
  FFs.Remove(L"C:\\NC\\Jobs");
  EXPECT_THROW(FFileList->SetMask(L"*.*"), EInOutError);
  EXPECT_EQ(FFileList->Mask(), L"*.n??");
  EXPECT_EQ(Files(), (TStrings{L"locked.nc", L"Part1.nc", L"part2.nc", L"x.ncfile"}));
}

TEST_F(FileListTest, AskedAttributesShowHiddenAndSystemFiles) {
  Build();
  FFileList->SetFileType(ftNormal | ftHidden | ftSystem);
  Show();
  EXPECT_EQ(Files(), (TStrings{L"boot.nc", L"locked.nc", L"Part1.nc", L"part2.nc", L"secret.nc"}));
}

TEST_F(FileListTest, FilesAreReadOnlyOnceTheWindowExists) {
  Build();
  FFolderWindow.HandleNeeded();
  FFolderList->SetDirectory(L"D:\\JOBS");
  EXPECT_EQ(FFileList->Directory(), L"D:\\JOBS");
  EXPECT_TRUE(Files().empty());
  Show();
  EXPECT_EQ(Files(), (TStrings{L"mill.nc"}));
}

TEST_F(FileListTest, LongListingShowsTheBusyPointerAndPutsThePreviousOneBack) {
  AddManyFiles(150);
  FFs.Start(L"C:\\Many");
  Build();
  std::size_t entriesWhenBusy = SIZE_MAX;
  FPointer.OnBusy = [&] { entriesWhenBusy = FFileWindow.Entries.size(); };
  Show();
  EXPECT_EQ(FPointer.BusyCalls, 1);
  EXPECT_EQ(entriesWhenBusy, 0u) << "busy while the folder is read";
  EXPECT_EQ(FPointer.Shape, TFakePointer::kArrow);
  EXPECT_EQ(FFileList->Count(), 150);
}

TEST_F(FileListTest, HundredFilesNeverReachPosition100) {
  AddManyFiles(100);
  FFs.Start(L"C:\\Many");
  BuildAndShow();
  EXPECT_EQ(FPointer.BusyCalls, 0);
  EXPECT_EQ(FFileList->Count(), 100);
}

TEST_F(FileListTest, PointerComesBackWhenTheListCannotTakeAnotherEntry) {
  AddManyFiles(150);
  FFs.Start(L"C:\\Many");
  Build();
  FFileWindow.Capacity = 120;
  EXPECT_THROW(Show(), EOutOfResources);
  EXPECT_EQ(FPointer.Shape, TFakePointer::kArrow);
  EXPECT_EQ(FFileList->Count(), 120) << "the logic holds what the window holds";
}

TEST_F(FileListTest, OldEntriesStayWhenTheFolderCannotBeEntered) {
  BuildAndShow();
  const TStrings files = Files();
  FFs.Remove(L"C:\\NC\\Jobs");
  try {
    FFileList->ReadEntries();
    FAIL() << "no error raised";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message(), L"File not found");
  }
  EXPECT_EQ(Files(), files);
  EXPECT_EQ(FFileList->Count(), 3);
}

TEST_F(FileListTest, FailedFolderChangeKeepsDirectoryAndEntries) {
  BuildAndShow();
  EXPECT_THROW(FFileList->ApplyDirectory(L"C:\\Nowhere"), EInOutError);
  EXPECT_EQ(FFileList->Directory(), L"C:\\NC\\Jobs");
  EXPECT_EQ(FFileList->Count(), 3);
  const int listings = FFs.Listings;
  FFileList->ApplyDirectory(L"c:\\NC\\JOBS");
  EXPECT_EQ(FFs.Listings, listings) << "same folder ignoring case";
}

TEST_F(FileListTest, SelectAllAndClearSelection) {
  BuildAndShow();
  FFileList->Click(1, false, false);
  const int calls = FFileWindow.SelectionCalls;
  FFileList->SelectAll();
  EXPECT_EQ(FFileWindow.SelectionCalls, calls + 1) << "the whole list in one step";
  EXPECT_EQ(FFileList->SelCount(), FFileList->Count());
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{0, 1, 2}));
  FFileList->SelectAll();
  EXPECT_EQ(FFileWindow.SelectionCalls, calls + 1) << "nothing left to select";
  EXPECT_EQ(FFileList->ItemIndex(), 1);
  FFileList->ClearSelection();
  EXPECT_EQ(FFileWindow.SelectionCalls, calls + 2);
  EXPECT_EQ(FFileList->SelCount(), 0);
  EXPECT_EQ(FFileWindow.Selected, (std::vector<bool>{false, false, false}));

  FFolderList->SetDirectory(L"C:\\NC");  // no files there
  FFileList->SelectAll();
  FFileList->ClearSelection();
  EXPECT_EQ(FFileList->SelCount(), 0);
  EXPECT_EQ(FFileList->Count(), 0);
}

TEST_F(FileListTest, ExtendedSelectionByMouse) {
  for (const wchar_t* name : {L"a.nc", L"b.nc", L"c.nc", L"d.nc", L"e.nc"})
    FFs.AddFile(std::wstring(L"D:\\Set\\") + name);
  FFs.Start(L"D:\\Set");
  BuildAndShow();
  FFileList->Click(1, false, false);
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{1}));
  FFileList->Click(3, true, false);
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{1, 2, 3}));
  FFileList->Click(0, true, false);  // the range follows the anchor, dropping the rest
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{0, 1}));
  FFileList->Click(4, false, true);
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{0, 1, 4}));
  FFileList->Click(0, false, true);
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{1, 4}));
  FFileList->Click(2, true, true);  // anchor 0 now: adds 0..2
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{0, 1, 2, 4}));
  EXPECT_EQ(FFileList->SelCount(), 4);
  FFileList->Click(3, false, false);
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{3}));
}

TEST_F(FileListTest, MoveKeysWithShiftAndCtrl) {
  for (const wchar_t* name : {L"a.nc", L"b.nc", L"c.nc", L"d.nc"}) FFs.AddFile(std::wstring(L"D:\\Set\\") + name);
  FFs.Start(L"D:\\Set");
  BuildAndShow();
  FFileList->MoveTo(1, false);
  FFileList->MoveTo(2, true);
  FFileList->MoveTo(3, true);
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{1, 2, 3}));
  FFileList->MoveTo(0, true);
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{0, 1}));
  EXPECT_EQ(FFileList->ItemIndex(), 0);
  FFileList->MoveTo(9, false);
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{3}));

  // Ctrl moves the focus only, Ctrl+Space toggles and anchors, Ctrl+Shift adds a range.
  FFileList->MoveTo(0, false);
  FFileList->MoveTo(1, false, true);
  FFileList->MoveTo(2, false, true);
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{0}));
  EXPECT_EQ(FFileList->ItemIndex(), 2);
  FFileList->ToggleFocused();
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{0, 2}));
  EXPECT_EQ(FFileList->Anchor(), 2);
  FFileList->MoveTo(3, true, true);
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{0, 2, 3}));
  FFileList->ToggleFocused();
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{0, 2}));
}

TEST_F(FileListTest, TypingLeavesOnlyTheFirstMatchingFileSelected) {
  BuildAndShow();
  FFileList->SelectAll();
  FFileList->TypeKey(L'P', 0);
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{1}));
  EXPECT_EQ(FFileList->ItemIndex(), 1);
  FFileList->TypeKey(L'a', 100);
  FFileList->TypeKey(L'r', 200);
  FFileList->TypeKey(L't', 300);
  FFileList->TypeKey(L'2', 400);
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{2}));
  FFileList->TypeKey(L'l', 2000);
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{0}));
}
