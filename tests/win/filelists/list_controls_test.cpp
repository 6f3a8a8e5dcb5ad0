// The drive box, folder list and file list as the user meets them: real windows on a
// mapped drive T:, driven with mouse and keyboard messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "base/errors.h"
#include "disk_helpers.h"
#include "filelists/directory_list_box.h"
#include "filelists/drive_combo_box.h"
#include "filelists/file_list_box.h"
#include "filelists/list_chain.h"
#include "filelists/list_registration.h"
#include "ui/form.h"
#include "win_test_support.h"

using TStrings = std::vector<std::wstring>;

namespace {

const std::wstring kJobs = L"T:\\Lists\\NC\\Jobs";
const std::wstring kUnicodeName = L"\u00FCber \u540D\u524D.nc";

std::wstring CurrentFolder() {
  wchar_t buffer[1024];
  return std::wstring(buffer, GetCurrentDirectoryW(1024, buffer));
}

// The folder entries, checking that the window has a row for each.
TStrings FolderItems(TDirectoryListBox& folders) {
  TStrings items;
  for (const TListEntry& entry : folders.Model().Entries()) items.push_back(entry.Text);
  EXPECT_EQ(SendMessageW(folders.Handle(), LB_GETCOUNT, 0, 0), static_cast<LRESULT>(items.size()));
  return items;
}

std::vector<int> NativeSelection(HWND list) {
  std::vector<int> selected;
  const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i)
    if (SendMessageW(list, LB_GETSEL, i, 0) > 0) selected.push_back(i);
  return selected;
}

std::wstring ComboText(HWND box, int index) {
  std::wstring text(static_cast<std::size_t>(SendMessageW(box, CB_GETLBTEXTLEN, index, 0)), L'\0');
  SendMessageW(box, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  return text;
}

// A mouse message at the middle of a list row.
void ClickRow(HWND list, int row, UINT down, WPARAM keys = 0) {
  const int height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  const int top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
  const LPARAM point = MAKELPARAM(20, (row - top) * height + height / 2);
  SendMessageW(list, down, keys | MK_LBUTTON, point);
  SendMessageW(list, WM_LBUTTONUP, keys, point);
}

void DoubleClickRow(HWND list, int row) {
  ClickRow(list, row, WM_LBUTTONDOWN);
  ClickRow(list, row, WM_LBUTTONDBLCLK);
}

void Type(HWND list, const std::wstring& keys) {
  for (wchar_t key : keys) SendMessageW(list, WM_CHAR, key, 0);
}

// Holds keys down as far as GetKeyState is concerned, for one scope.
class TKeysHeld {
 public:
  explicit TKeysHeld(std::initializer_list<BYTE> keys) : FKeys(keys) { Set(0x80); }
  ~TKeysHeld() { Set(0); }

 private:
  void Set(BYTE state) const {
    BYTE keys[256];
    GetKeyboardState(keys);
    for (BYTE key : FKeys) keys[key] = state;
    SetKeyboardState(keys);
  }
  std::vector<BYTE> FKeys;
};

// Watches the rows that the file list's window is given and notes the pointer then.
class TRowsWatch {
 public:
  explicit TRowsWatch(HWND list) : FHook(SetWindowsHookExW(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId())) {
    FList = list;
    FWatch = this;
  }
  ~TRowsWatch() {
    UnhookWindowsHookEx(FHook);
    FWatch = nullptr;
  }
  std::size_t Rows = 0;
  int RowsMadeWhileBusy = 0;

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && FWatch && message->hwnd == FList && message->message == LB_SETCOUNT &&
        message->wParam > 0) {
      FWatch->Rows = message->wParam;
      if (GetCursor() == LoadCursorW(nullptr, IDC_WAIT)) ++FWatch->RowsMadeWhileBusy;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline HWND FList = nullptr;
  static inline TRowsWatch* FWatch = nullptr;
  HHOOK FHook;
};

}  // namespace

class ListControlsTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // as the program's main thread is
    RegisterStandardControls();
    RegisterFileListComponents();
    disk::MakeFolder(L"T:\\Lists");
    disk::MakeFolder(L"T:\\Lists\\NC");
    disk::MakeFolder(kJobs);
    disk::MakeFolder(kJobs + L"\\Old");
    disk::MakeFolder(kJobs + L"\\new");
    disk::MakeFolder(kJobs + L"\\.git", FILE_ATTRIBUTE_HIDDEN);
    disk::MakeFolder(kJobs + L"\\Sys", FILE_ATTRIBUTE_SYSTEM);
    disk::MakeFile(kJobs + L"\\part2.nc");
    disk::MakeFile(kJobs + L"\\Part1.nc");
    disk::MakeFile(kJobs + L"\\locked.nc", FILE_ATTRIBUTE_READONLY);
    disk::MakeFile(kJobs + L"\\secret.nc", FILE_ATTRIBUTE_HIDDEN);
    disk::MakeFile(kJobs + L"\\boot.nc", FILE_ATTRIBUTE_SYSTEM);
    disk::MakeFile(kJobs + L"\\" + kUnicodeName);
    disk::MakeFolder(L"T:\\Lists\\Empty");
    disk::MakeFolder(L"T:\\Lists\\Many");
    for (int i = 0; i < 150; ++i) disk::MakeFile(L"T:\\Lists\\Many\\f" + std::to_wstring(1000 + i) + L".nc");
  }

  void SetUp() override {
    // The controls start from the process's current folder.
    ASSERT_TRUE(SetCurrentDirectoryW(L"C:\\"));
    FForm = std::make_unique<TForm>(nullptr);
    FForm->LoadLayout(L"TLISTSFORM");
    FDrives = &FForm->Control<TDriveComboBox>(L"DriveComboBox1");
    FFolders = &FForm->Control<TDirectoryListBox>(L"DirectoryListBox1");
    FFiles = &FForm->Control<TFileListBox>(L"FileListBox1");
    LinkLists(FChain, *FDrives, *FFolders, *FFiles);
  }
  void TearDown() override {
    FForm.reset();
    SetCurrentDirectoryW(L"C:\\");
  }

  void OpenJobs() {
    OpenStartFolder(*FDrives, *FFolders, kJobs + L"\\");
    FForm->Show();
  }
  std::wstring HighlightedDrive() {
    const int index = static_cast<int>(SendMessageW(FDrives->Handle(), CB_GETCURSEL, 0, 0));
    return index < 0 ? L"" : ComboText(FDrives->Handle(), index);
  }
  TStrings FileItems() {
    TStrings items;
    for (int i = 0; i < FFiles->Count(); ++i) items.push_back(FFiles->Item(i));
    return items;
  }
  std::vector<int> SelectedFiles() {
    std::vector<int> selected;
    for (int i = 0; i < FFiles->Count(); ++i)
      if (FFiles->Selected(i)) selected.push_back(i);
    EXPECT_EQ(NativeSelection(FFiles->Handle()), selected) << "the window shows another selection";
    return selected;
  }

  TListChain FChain;
  std::unique_ptr<TForm> FForm;
  TDriveComboBox* FDrives = nullptr;
  TDirectoryListBox* FFolders = nullptr;
  TFileListBox* FFiles = nullptr;
};

TEST_F(ListControlsTest, StartFolderFillsTheThreeLinkedLists) {
  // Making the window reads nothing: drives come with the drive step, the rest after it.
  FForm->Handle();
  EXPECT_EQ(SendMessageW(FDrives->Handle(), CB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessageW(FFolders->Handle(), LB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessageW(FFiles->Handle(), LB_GETCOUNT, 0, 0), 0);
  OpenJobs();
  const std::wstring drive = HighlightedDrive();
  EXPECT_EQ(drive.substr(0, 4), L"t: [");
  EXPECT_EQ(drive.back(), L']');
  EXPECT_EQ(FDrives->Drive(), L't');

  EXPECT_EQ(FolderItems(*FFolders), (TStrings{L"T:\\", L"Lists", L"NC", L"Jobs", L"new", L"Old"}));
  std::vector<TEntryPicture> kinds;
  for (const TListEntry& entry : FFolders->Model().Entries()) kinds.push_back(entry.Picture);
  EXPECT_EQ(kinds, (std::vector<TEntryPicture>{TEntryPicture::OpenFolder, TEntryPicture::OpenFolder,
                                               TEntryPicture::OpenFolder, TEntryPicture::CurrentFolder,
                                               TEntryPicture::ClosedFolder, TEntryPicture::ClosedFolder}));
  EXPECT_EQ(SendMessageW(FFolders->Handle(), LB_GETCURSEL, 0, 0), 3);

  // Plain files only, read-only ones included, in the locale's order.
  const TStrings files{L"locked.nc", L"Part1.nc", L"part2.nc", kUnicodeName};
  EXPECT_EQ(FileItems(), files);
  EXPECT_EQ(SendMessageW(FFiles->Handle(), LB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(FFolders->Directory(), kJobs);
  EXPECT_EQ(FFiles->Directory(), kJobs);
  EXPECT_EQ(CurrentFolder(), kJobs);
  EXPECT_EQ(SendMessageW(FFiles->Handle(), LB_GETITEMHEIGHT, 0, 0), FFiles->Scale(15));
  EXPECT_GE(SendMessageW(FFolders->Handle(), LB_GETITEMHEIGHT, 0, 0), FFolders->Scale(16));
}

TEST_F(ListControlsTest, DoubleClickAndEnterOpenFoldersAndTheCurrentFolderFollows) {
  OpenJobs();
  HWND folders = FFolders->Handle();
  ClickRow(folders, 4, WM_LBUTTONDOWN);  // a click only moves the highlight
  EXPECT_EQ(FFolders->Directory(), kJobs);
  EXPECT_EQ(FFolders->Model().ItemIndex(), 4);
  SendMessageW(folders, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(FFolders->Directory(), kJobs + L"\\new");
  EXPECT_EQ(FFiles->Directory(), kJobs + L"\\new");
  EXPECT_TRUE(FileItems().empty());

  DoubleClickRow(folders, 0);
  EXPECT_EQ(FFolders->Directory(), L"T:\\");
  EXPECT_EQ(FolderItems(*FFolders).front(), L"T:\\");
  EXPECT_EQ(SendMessageW(folders, LB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(FFiles->Directory(), L"T:\\");
  EXPECT_EQ(CurrentFolder(), L"T:\\");
}

TEST_F(ListControlsTest, AFailingFolderChangeShowsTheErrorBoxAndChangesNothing) {
  disk::MakeFolder(L"T:\\Lists\\Gone");
  OpenStartFolder(*FDrives, *FFolders, L"T:\\Lists");
  FForm->Show();
  const TStrings before = FolderItems(*FFolders);
  const int gone = static_cast<int>(std::find(before.begin(), before.end(), L"Gone") - before.begin());
  ASSERT_LT(gone, static_cast<int>(before.size()));
  ASSERT_TRUE(RemoveDirectoryW(L"T:\\Lists\\Gone"));
  {
    TDialogAnswerer answerer;
    DoubleClickRow(FFolders->Handle(), gone);
    const auto seen = answerer.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0].Text == L"File not found." || seen[0].Text == L"Invalid filename.") << seen[0].Text;
  }
  EXPECT_EQ(FFolders->Directory(), L"T:\\Lists");
  EXPECT_EQ(FolderItems(*FFolders), before);
  EXPECT_EQ(FFiles->Directory(), L"T:\\Lists");
  EXPECT_EQ(CurrentFolder(), L"T:\\Lists");
}

TEST_F(ListControlsTest, PickingDrivesInTheClosedBoxMovesTheLists) {
  OpenJobs();
  HWND box = FDrives->Handle();
  const int count = static_cast<int>(SendMessageW(box, CB_GETCOUNT, 0, 0));
  ASSERT_EQ(count, static_cast<int>(FDrives->Model().Entries().size()));
  int c = -1, t = -1;
  for (int i = 0; i < count; ++i) {
    if (ComboText(box, i).substr(0, 2) == L"c:") c = i;
    if (ComboText(box, i).substr(0, 2) == L"t:") t = i;
  }
  ASSERT_GE(c, 0);
  ASSERT_GT(t, c);
  TDialogAnswerer answerer;  // drives in between may not be ready
  for (int step = t; step > c; --step) SendMessageW(box, WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(HighlightedDrive().substr(0, 2), L"c:");
  EXPECT_EQ(FFolders->Directory().substr(0, 2), L"C:");
  EXPECT_EQ(FFiles->Directory(), FFolders->Directory());
  EXPECT_EQ(CurrentFolder(), FFolders->Directory());
  for (int step = c; step < t; ++step) SendMessageW(box, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(FDrives->Drive(), L't');
  EXPECT_EQ(FFolders->Directory(), kJobs) << "drive T: keeps its own current folder";
  EXPECT_EQ(FFiles->Directory(), kJobs);
}

TEST_F(ListControlsTest, SelectAllClearSelectionAndSelCount) {
  OpenStartFolder(*FDrives, *FFolders, L"T:\\Lists\\Empty");
  FForm->Show();
  FFiles->SelectAll();
  EXPECT_EQ(FFiles->SelCount(), 0);
  FFolders->SetDirectory(kJobs);
  FFiles->SelectAll();
  EXPECT_EQ(FFiles->SelCount(), 4);
  EXPECT_EQ(SelectedFiles(), (std::vector<int>{0, 1, 2, 3}));
  FFiles->ClearSelection();
  EXPECT_EQ(FFiles->SelCount(), 0);
  EXPECT_TRUE(SelectedFiles().empty());
}

TEST_F(ListControlsTest, MouseAndKeysSelectThroughTheLogic) {
  OpenJobs();
  HWND files = FFiles->Handle();
  ClickRow(files, 1, WM_LBUTTONDOWN);
  EXPECT_EQ(SelectedFiles(), (std::vector<int>{1}));
  ClickRow(files, 3, WM_LBUTTONDOWN, MK_CONTROL);
  EXPECT_EQ(SelectedFiles(), (std::vector<int>{1, 3}));
  ClickRow(files, 0, WM_LBUTTONDOWN, MK_SHIFT);  // from the anchor 3
  EXPECT_EQ(SelectedFiles(), (std::vector<int>{0, 1, 2, 3}));
  ClickRow(files, 3, WM_LBUTTONDOWN, MK_CONTROL);
  EXPECT_EQ(SelectedFiles(), (std::vector<int>{0, 1, 2}));
  ClickRow(files, 2, WM_LBUTTONDOWN);
  EXPECT_EQ(SelectedFiles(), (std::vector<int>{2}));

  SendMessageW(files, WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(SelectedFiles(), (std::vector<int>{1}));
  {
    const TKeysHeld shift{VK_SHIFT};
    SendMessageW(files, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(files, WM_KEYDOWN, VK_DOWN, 0);
  }
  EXPECT_EQ(SelectedFiles(), (std::vector<int>{1, 2, 3}));
  SendMessageW(files, WM_KEYDOWN, VK_HOME, 0);
  EXPECT_EQ(SelectedFiles(), (std::vector<int>{0}));
  SendMessageW(files, WM_KEYDOWN, VK_END, 0);
  EXPECT_EQ(SelectedFiles(), (std::vector<int>{3}));
  SendMessageW(files, WM_KEYDOWN, VK_PRIOR, 0);
  EXPECT_EQ(SelectedFiles(), (std::vector<int>{0}));
  EXPECT_EQ(SendMessageW(files, LB_GETCARETINDEX, 0, 0), 0);

  // Files that are not next to each other, by keyboard alone.
  {
    const TKeysHeld ctrl{VK_CONTROL};
    SendMessageW(files, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(files, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(files, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(files, WM_CHAR, L' ', 0);  // what Ctrl+Space also types
  }
  EXPECT_EQ(SelectedFiles(), (std::vector<int>{0, 2}));
  EXPECT_EQ(SendMessageW(files, LB_GETCARETINDEX, 0, 0), 2);
  {
    const TKeysHeld ctrlShift{VK_CONTROL, VK_SHIFT};
    SendMessageW(files, WM_KEYDOWN, VK_DOWN, 0);
  }
  EXPECT_EQ(SelectedFiles(), (std::vector<int>{0, 2, 3}));
}

TEST_F(ListControlsTest, RowsBeyond65535AreHitExactlyAndSelectAllIsOneStep) {
  const std::wstring huge = L"T:\\Huge";  // 70,000 files, made when the drive is mapped
  constexpr int kFiles = 70'000;
  OpenStartFolder(*FDrives, *FFolders, huge);
  FForm->Show();
  HWND files = FFiles->Handle();
  ASSERT_EQ(FFiles->Count(), kFiles);

  SendMessageW(files, LB_SETTOPINDEX, kFiles - 5, 0);
  ClickRow(files, kFiles - 1, WM_LBUTTONDOWN);
  ASSERT_EQ(FFiles->SelCount(), 1);
  EXPECT_TRUE(FFiles->Selected(kFiles - 1));
  EXPECT_EQ(FFiles->Item(kFiles - 1), L"f69999.nc");
  ClickRow(files, kFiles - 3, WM_LBUTTONDOWN, MK_SHIFT);
  EXPECT_EQ(FFiles->SelCount(), 3);
  EXPECT_TRUE(FFiles->Selected(kFiles - 3));
  ClickRow(files, kFiles - 3, WM_LBUTTONDOWN, MK_CONTROL);
  ClickRow(files, kFiles - 2, WM_LBUTTONDOWN, MK_CONTROL);  // focused, no longer selected

  // Assistive technology reads the same rows.
  EXPECT_EQ(ReadAccessible(files).ChildCount, kFiles);
  const TAccessibleRead last = ReadAccessible(files, kFiles);
  EXPECT_EQ(last.Name, L"f69999.nc");
  EXPECT_EQ(last.Role, ROLE_SYSTEM_LISTITEM);
  EXPECT_NE(last.State & STATE_SYSTEM_SELECTED, 0);
  EXPECT_EQ(ReadAccessible(files, kFiles - 2).State & STATE_SYSTEM_SELECTED, 0);
  const TAccessibleRead focused = ReadAccessible(files, kFiles - 1);
  EXPECT_EQ(focused.Name, L"f69998.nc");
  EXPECT_EQ(focused.State & (STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED), STATE_SYSTEM_FOCUSED);
  EXPECT_NE(ReadAccessible(files, 1).State & STATE_SYSTEM_OFFSCREEN, 0);
  HWND folders = FFolders->Handle();
  EXPECT_EQ(ReadAccessible(folders).ChildCount, 2);
  EXPECT_EQ(ReadAccessible(folders, 1).Name, L"T:\\");
  EXPECT_EQ(ReadAccessible(folders, 2).Name, L"Huge");
  EXPECT_NE(ReadAccessible(folders, 2).State & STATE_SYSTEM_SELECTED, 0);

  const LRESULT top = SendMessageW(files, LB_GETTOPINDEX, 0, 0);
  FFiles->SelectAll();
  EXPECT_EQ(FFiles->SelCount(), kFiles);
  EXPECT_EQ(SendMessageW(files, LB_GETSELCOUNT, 0, 0), kFiles);
  EXPECT_EQ(SendMessageW(files, LB_GETTOPINDEX, 0, 0), top) << "the view stays";
  FFiles->ClearSelection();
  EXPECT_EQ(SendMessageW(files, LB_GETSELCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessageW(files, LB_GETTOPINDEX, 0, 0), top);
}

TEST_F(ListControlsTest, TypingLeavesOnlyTheFirstMatchSelected) {
  OpenJobs();
  HWND files = FFiles->Handle();
  FFiles->SelectAll();
  Type(files, L"pa");
  EXPECT_EQ(SelectedFiles(), (std::vector<int>{1}));  // Part1.nc, ignoring case
  EXPECT_EQ(SendMessageW(files, LB_GETCARETINDEX, 0, 0), 1);
  Type(files, L"\b\b");
  EXPECT_EQ(SelectedFiles(), (std::vector<int>{0}));
  Type(files, L"\u00FC");
  EXPECT_EQ(SelectedFiles(), (std::vector<int>{3}));

  HWND folders = FFolders->Handle();
  Type(folders, L"o");
  EXPECT_EQ(SendMessageW(folders, LB_GETCURSEL, 0, 0), 5);  // Old
  EXPECT_EQ(FFolders->Directory(), kJobs) << "typing only moves the highlight";
}

TEST_F(ListControlsTest, LongListingsShowTheBusyPointerAndRestoreIt) {
  OpenJobs();
  const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
  SetCursor(arrow);
  {
    const TRowsWatch small(FFiles->Handle());
    FFolders->SetDirectory(L"T:\\Lists\\Empty");
    FFolders->SetDirectory(kJobs);
    EXPECT_EQ(small.Rows, 4u);
    EXPECT_EQ(small.RowsMadeWhileBusy, 0);
  }
  EXPECT_EQ(GetCursor(), arrow);
  {
    const TRowsWatch many(FFiles->Handle());
    FFolders->SetDirectory(L"T:\\Lists\\Many");
    EXPECT_EQ(many.Rows, 150u);
    EXPECT_GT(many.RowsMadeWhileBusy, 0);
  }
  EXPECT_EQ(GetCursor(), arrow);
  EXPECT_EQ(FFiles->Item(0), L"f1000.nc");
  EXPECT_EQ(FFiles->Item(149), L"f1149.nc");
}

TEST_F(ListControlsTest, FoldersBeyond260CharactersAreListedOrRefusedWithoutChange) {
  std::wstring deep = L"T:\\Lists\\Long";
  disk::MakeFolder(deep);
  while (deep.size() <= 300) {
    deep += L"\\" + std::wstring(40, L'x');
    disk::MakeFolder(deep);
  }
  disk::MakeFile(deep + L"\\deep.nc");
  const bool platformTakesIt = SetCurrentDirectoryW(deep.c_str());
  ASSERT_TRUE(SetCurrentDirectoryW(L"C:\\"));
  OpenJobs();
  if (platformTakesIt) {
    FFolders->SetDirectory(deep);
    EXPECT_EQ(FFolders->Directory(), deep);
    EXPECT_EQ(FileItems(), (TStrings{L"deep.nc"}));
  } else {
    EXPECT_THROW(FFolders->SetDirectory(deep), EInOutError);
    EXPECT_EQ(FFolders->Directory(), kJobs);
    EXPECT_EQ(FFiles->Directory(), kJobs);
    EXPECT_EQ(CurrentFolder(), kJobs);
  }
}

namespace {

// Paints one row into a white bitmap and reports the first column, from the left, whose
// pixel differs from the background in the middle line of the picture.
struct TPaintedRow {
  int FirstInk = -1;
  bool AnyPureBlue = false;
};

TPaintedRow PaintRow(TWinControl& control, UINT index, int rowHeight) {
  const int width = 200;
  const TMemoryDC dc(CreateCompatibleDC(nullptr));
  const TBitmapHandle bitmap(CreateBitmap(width, rowHeight, 1, 32, nullptr));
  const TSelectObject select(dc.Get(), bitmap.Get());
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_LISTBOX;
  item.itemID = index;
  item.itemAction = ODA_DRAWENTIRE;
  item.hwndItem = control.Handle();
  item.hDC = dc.Get();
  item.rcItem = {0, 0, width, rowHeight};
  control.DrawItem(item);
  TPaintedRow painted;
  const COLORREF background = GetPixel(dc.Get(), width - 1, 0);
  for (int x = 0; x < width && painted.FirstInk < 0; ++x)
    for (int y = 0; y < rowHeight; ++y)
      if (GetPixel(dc.Get(), x, y) != background) {
        painted.FirstInk = x;
        break;
      }
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < rowHeight; ++y) painted.AnyPureBlue |= GetPixel(dc.Get(), x, y) == RGB(0, 0, 255);
  return painted;
}

}  // namespace

TEST_F(ListControlsTest, RowsAreIndentedByDepthAndPicturesAreTransparent) {
  OpenJobs();
  const int height = static_cast<int>(SendMessageW(FFolders->Handle(), LB_GETITEMHEIGHT, 0, 0));
  // The folder pictures' outline starts one pixel in.
  EXPECT_EQ(PaintRow(*FFolders, 0, height).FirstInk, FFolders->Scale(2 + 1));
  EXPECT_EQ(PaintRow(*FFolders, 2, height).FirstInk, FFolders->Scale(2 + 8 + 1));
  EXPECT_EQ(PaintRow(*FFolders, 3, height).FirstInk, FFolders->Scale(2 + 12 + 1));
  EXPECT_EQ(PaintRow(*FFolders, 4, height).FirstInk, FFolders->Scale(2 + 16 + 1));  // below the current folder
  for (UINT row = 0; row < 6; ++row) EXPECT_FALSE(PaintRow(*FFolders, row, height).AnyPureBlue) << row;

  const int driveHeight = static_cast<int>(SendMessageW(FDrives->Handle(), CB_GETITEMHEIGHT, 0, 0));
  EXPECT_GE(driveHeight, FDrives->Scale(11));
  const TPaintedRow drive = PaintRow(*FDrives, 0, driveHeight);
  EXPECT_EQ(drive.FirstInk, FDrives->Scale(2));
  EXPECT_FALSE(drive.AnyPureBlue);
}
