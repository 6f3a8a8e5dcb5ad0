#include "filelists/directory_list_box.h"

#include "filelists/row_layout.h"

TDirectoryListBox::TDirectoryListBox(TComponent* owner)
    : TCustomListBox(owner), FModel(ListsFileSystem(), ListsCollation(), FWindow) {
  FClosedBMP.LoadFromResource(L"CLOSEDFOLDER");
  FOpenedBMP.LoadFromResource(L"OPENFOLDER");
  FCurrentBMP.LoadFromResource(L"CURRENTFOLDER");
  SetItemHeight(FolderRowHeight(TextHeight96(Font()), FOpenedBMP.Height()));
}

void TDirectoryListBox::CreateParams(TCreateParams& params) {
  TCustomListBox::CreateParams(params);
  UseCountedRows(params);  // the entries live in the logic
}

void TDirectoryListBox::FontChanged() {
  TCustomListBox::FontChanged();
  SetItemHeight(FolderRowHeight(TextHeight96(Font()), FOpenedBMP.Height()));
}

void TDirectoryListBox::CommandNotify(WORD code) {
  // The native list moved its highlight (click or arrow key): the logic follows.
  if (code == LBN_SELCHANGE) FModel.Click(ItemIndex());
  TCustomListBox::CommandNotify(code);
}

void TDirectoryListBox::DblClick() {
  FModel.OpenCurrent();
  TCustomListBox::DblClick();
}

LRESULT TDirectoryListBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_GETDLGCODE: {
      // Enter opens a folder here instead of pressing the window's default button.
      const auto* message = reinterpret_cast<const MSG*>(lParam);
      const bool enter = message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN;
      return DefaultHandler(msg, wParam, lParam) | (enter ? DLGC_WANTMESSAGE : 0);
    }
    case WM_KEYDOWN:
      if (wParam != VK_RETURN) break;
      FModel.OpenCurrent();
      return 0;
    case WM_CHAR:
      if (IsTypeAheadKey(wParam)) FModel.TypeKey(static_cast<wchar_t>(wParam), TypeAheadClock());
      return 0;
  }
  return TCustomListBox::WndProc(msg, wParam, lParam);
}

const TPicture& TDirectoryListBox::picture_of(TEntryPicture kind) const {
  switch (kind) {
    case TEntryPicture::OpenFolder: return FOpenedBMP;
    case TEntryPicture::CurrentFolder: return FCurrentBMP;
    default: return FClosedBMP;
  }
}

std::wstring TDirectoryListBox::RowName(int row) const {
  return FModel.DisplayCase(FModel.Entries().at(static_cast<std::size_t>(row)).Text);
}

void TDirectoryListBox::DrawEntry(HDC dc, int index, const RECT& rect, bool) {
  const auto& entries = FModel.Entries();
  if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) return;
  const TListEntry& entry = entries[static_cast<std::size_t>(index)];
  const TPicture& picture = picture_of(entry.Picture);
  const TRowLayout layout = FolderRowLayout(FModel.Indent(index), ItemHeight(), picture.Width(), picture.Height());
  picture.Draw(dc, rect.left + Scale(layout.PictureLeft), rect.top + Scale(layout.PictureTop), Dpi());
  RECT text = rect;
  text.left += Scale(layout.TextLeft);
  text.top += Scale(layout.TextTop);
  const std::wstring shown = FModel.DisplayCase(entry.Text);
  DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &text, DT_SINGLELINE | DT_NOPREFIX);
}
