#include <gtest/gtest.h>

#include "base/errors.h"
#include "lists_fixture.h"

class TFileListTest : public TListsTest {
 protected:
  // count plain files named n000.nc ... in C:\Many, arriving in name order.
  void AddManyFiles(int count) {
    for (int i = 0; i < count; ++i) {
      std::wstring number = std::to_wstring(i);
      Fs.AddFile(L"C:\\Many\\n" + std::wstring(3 - number.size(), L'0') + number + L".nc");
    }
  }
  std::vector<int> SelectedIndexes() const {
    std::vector<int> selected;
    for (int i = 0; i < FileList->Count(); ++i)
      if (FileList->Selected(i)) {
        selected.push_back(i);
        EXPECT_TRUE(FileWindow.Selected[static_cast<std::size_t>(i)]) << "window mirrors entry " << i;
      }
    return selected;
  }
};

TEST_F(TFileListTest, ListsPlainFilesInOrderIgnoringCase) {
  Fs.AddFile(L"C:\\NC\\Jobs\\Zeta.txt");
  Fs.AddFile(L"C:\\NC\\Jobs\\alpha.TXT", faArchive | faReadOnly);
  BuildAndShow();
  EXPECT_EQ(Files(), (TStrings{L"alpha.TXT", L"locked.nc", L"Part1.nc", L"part2.nc", L"Zeta.txt"}));
  EXPECT_EQ(FileList->Count(), 5);
  EXPECT_EQ(FileList->Item(1), L"locked.nc");
}

TEST_F(TFileListTest, MaskPatternsAreListedInTurn) {
  Fs.AddFile(L"C:\\NC\\Jobs\\notes.txt");
  Fs.AddFile(L"C:\\NC\\Jobs\\tool.tap");
  Build();
  FileList->SetMask(L"*.txt;;*.TAP");
  Show();
  EXPECT_EQ(Files(), (TStrings{L"notes.txt", L"tool.tap"}));
}

TEST_F(TFileListTest, AskedAttributesShowHiddenAndSystemFiles) {
  Build();
  FileList->SetFileType(ftNormal | ftHidden | ftSystem);
  Show();
  EXPECT_EQ(Files(), (TStrings{L"boot.nc", L"locked.nc", L"Part1.nc", L"part2.nc", L"secret.nc"}));
}

TEST_F(TFileListTest, FilesAreReadOnlyOnceTheWindowExists) {
  Build();
  FolderWindow.HandleNeeded();
  FolderList->SetDirectory(L"D:\\JOBS");
  EXPECT_EQ(FileList->Directory(), L"D:\\JOBS");
  EXPECT_TRUE(Files().empty());
  Show();
  EXPECT_EQ(Files(), (TStrings{L"mill.nc"}));
}

TEST_F(TFileListTest, LongListingShowsTheBusyPointerAndPutsThePreviousOneBack) {
  AddManyFiles(150);
  Fs.Start(L"C:\\Many");
  Build();
  std::size_t entriesWhenBusy = SIZE_MAX;
  Pointer.OnBusy = [&] { entriesWhenBusy = FileWindow.Entries.size(); };
  Show();
  EXPECT_EQ(Pointer.BusyCalls, 1);
  EXPECT_EQ(entriesWhenBusy, 0u) << "busy while the folder is read";
  EXPECT_EQ(Pointer.Shape, TFakePointer::kArrow);
  EXPECT_EQ(FileList->Count(), 150);
}

TEST_F(TFileListTest, HundredFilesNeverReachPosition100) {
  AddManyFiles(100);
  Fs.Start(L"C:\\Many");
  BuildAndShow();
  EXPECT_EQ(Pointer.BusyCalls, 0);
  EXPECT_EQ(FileList->Count(), 100);
}

TEST_F(TFileListTest, PointerComesBackWhenTheListCannotTakeAnotherEntry) {
  AddManyFiles(150);
  Fs.Start(L"C:\\Many");
  Build();
  FileWindow.Capacity = 120;
  EXPECT_THROW(Show(), EOutOfResources);
  EXPECT_EQ(Pointer.Shape, TFakePointer::kArrow);
  EXPECT_EQ(FileList->Count(), 120) << "the logic holds what the window holds";
}

TEST_F(TFileListTest, OldEntriesStayWhenTheFolderCannotBeEntered) {
  BuildAndShow();
  const TStrings files = Files();
  Fs.Remove(L"C:\\NC\\Jobs");
  try {
    FileList->ReadEntries();
    FAIL() << "no error raised";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message(), L"File not found");
  }
  EXPECT_EQ(Files(), files);
  EXPECT_EQ(FileList->Count(), 3);
}

TEST_F(TFileListTest, FailedFolderChangeKeepsDirectoryAndEntries) {
  BuildAndShow();
  EXPECT_THROW(FileList->ApplyDirectory(L"C:\\Nowhere"), EInOutError);
  EXPECT_EQ(FileList->Directory(), L"C:\\NC\\Jobs");
  EXPECT_EQ(FileList->Count(), 3);
  const int listings = Fs.Listings;
  FileList->ApplyDirectory(L"c:\\NC\\JOBS");
  EXPECT_EQ(Fs.Listings, listings) << "same folder ignoring case";
}

TEST_F(TFileListTest, SelectAllAndClearSelection) {
  BuildAndShow();
  FileList->Click(1, false, false);
  const int calls = FileWindow.SelectionCalls;
  FileList->SelectAll();
  EXPECT_EQ(FileWindow.SelectionCalls, calls + 1) << "the whole list in one step";
  EXPECT_EQ(FileList->SelCount(), FileList->Count());
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{0, 1, 2}));
  FileList->SelectAll();
  EXPECT_EQ(FileWindow.SelectionCalls, calls + 1) << "nothing left to select";
  EXPECT_EQ(FileList->ItemIndex(), 1);
  FileList->ClearSelection();
  EXPECT_EQ(FileWindow.SelectionCalls, calls + 2);
  EXPECT_EQ(FileList->SelCount(), 0);
  EXPECT_EQ(FileWindow.Selected, (std::vector<bool>{false, false, false}));

  FolderList->SetDirectory(L"C:\\NC");  // no files there
  FileList->SelectAll();
  FileList->ClearSelection();
  EXPECT_EQ(FileList->SelCount(), 0);
  EXPECT_EQ(FileList->Count(), 0);
}

TEST_F(TFileListTest, ExtendedSelectionByMouse) {
  for (const wchar_t* name : {L"a.nc", L"b.nc", L"c.nc", L"d.nc", L"e.nc"}) Fs.AddFile(std::wstring(L"D:\\Set\\") + name);
  Fs.Start(L"D:\\Set");
  BuildAndShow();
  FileList->Click(1, false, false);
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{1}));
  FileList->Click(3, true, false);
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{1, 2, 3}));
  FileList->Click(0, true, false);  // the range follows the anchor, dropping the rest
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{0, 1}));
  FileList->Click(4, false, true);
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{0, 1, 4}));
  FileList->Click(0, false, true);
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{1, 4}));
  FileList->Click(2, true, true);  // anchor 0 now: adds 0..2
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{0, 1, 2, 4}));
  EXPECT_EQ(FileList->SelCount(), 4);
  FileList->Click(3, false, false);
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{3}));
}

TEST_F(TFileListTest, MoveKeysWithShiftAndCtrl) {
  for (const wchar_t* name : {L"a.nc", L"b.nc", L"c.nc", L"d.nc"}) Fs.AddFile(std::wstring(L"D:\\Set\\") + name);
  Fs.Start(L"D:\\Set");
  BuildAndShow();
  FileList->MoveTo(1, false);
  FileList->MoveTo(2, true);
  FileList->MoveTo(3, true);
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{1, 2, 3}));
  FileList->MoveTo(0, true);
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{0, 1}));
  EXPECT_EQ(FileList->ItemIndex(), 0);
  FileList->MoveTo(9, false);
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{3}));

  // Ctrl moves the focus only, Ctrl+Space toggles and anchors, Ctrl+Shift adds a range.
  FileList->MoveTo(0, false);
  FileList->MoveTo(1, false, true);
  FileList->MoveTo(2, false, true);
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{0}));
  EXPECT_EQ(FileList->ItemIndex(), 2);
  FileList->ToggleFocused();
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{0, 2}));
  EXPECT_EQ(FileList->Anchor(), 2);
  FileList->MoveTo(3, true, true);
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{0, 2, 3}));
  FileList->ToggleFocused();
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{0, 2}));
}

TEST_F(TFileListTest, TypingLeavesOnlyTheFirstMatchingFileSelected) {
  BuildAndShow();
  FileList->SelectAll();
  FileList->TypeKey(L'P', 0);
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{1}));
  EXPECT_EQ(FileList->ItemIndex(), 1);
  FileList->TypeKey(L'a', 100);
  FileList->TypeKey(L'r', 200);
  FileList->TypeKey(L't', 300);
  FileList->TypeKey(L'2', 400);
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{2}));
  FileList->TypeKey(L'l', 2000);
  EXPECT_EQ(SelectedIndexes(), (std::vector<int>{0}));
}
