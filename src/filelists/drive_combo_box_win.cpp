#include "filelists/drive_combo_box.h"

#include "filelists/row_layout.h"

TDriveComboBox::TDriveComboBox(TComponent* owner)
    : TCustomComboBox(owner), FModel(ListsFileSystem(), ListsCollation(), FWindow) {
  SetStyle(TComboBoxStyle::OwnerDrawFixedList);
  FFloppyBMP.LoadFromResource(L"FLOPPY");
  FFixedBMP.LoadFromResource(L"HARD");
  FNetworkBMP.LoadFromResource(L"NETWORK");
  FCDROMBMP.LoadFromResource(L"CDROM");
  FRAMBMP.LoadFromResource(L"RAM");
}

void TDriveComboBox::CreateWnd() {
  TCustomComboBox::CreateWnd();
  FModel.WindowCreated();
}

void TDriveComboBox::Change() { FModel.PickEntry(ItemIndex()); }

const TPicture& TDriveComboBox::picture_of(TEntryPicture kind) const {
  switch (kind) {
    case TEntryPicture::Floppy: return FFloppyBMP;
    case TEntryPicture::Network: return FNetworkBMP;
    case TEntryPicture::CDRom: return FCDROMBMP;
    case TEntryPicture::Ram: return FRAMBMP;
    default: return FFixedBMP;
  }
}

int TDriveComboBox::row_height() const { return Scale(DriveRowHeight(TextHeight96(Font()), FFloppyBMP.Height())); }

void TDriveComboBox::apply_row_height() {
  if (!HandleAllocated()) return;
  // -1 is the closed box's own field, 0 every row of the drop-down list.
  SendMessageW(HandleIfAllocated(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), row_height());
  SendMessageW(HandleIfAllocated(), CB_SETITEMHEIGHT, 0, row_height());
}

void TDriveComboBox::MeasureItem(MEASUREITEMSTRUCT& item) { item.itemHeight = static_cast<UINT>(row_height()); }

void TDriveComboBox::FontChanged() {
  TCustomComboBox::FontChanged();
  apply_row_height();
}

void TDriveComboBox::DpiChanged() {
  TCustomComboBox::DpiChanged();
  apply_row_height();
}

void TDriveComboBox::DrawItem(DRAWITEMSTRUCT& item) {
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &item.rcItem, SolidBrushFor(selected ? clHighlight : Color()));
  const auto& entries = FModel.Entries();
  if (item.itemID < entries.size()) {
    const TListEntry& entry = entries[item.itemID];
    const TPicture& picture = picture_of(entry.Picture);
    const int textHeight = TextHeight96(Font());
    const TRowLayout layout =
        DriveRowLayout(DriveRowHeight(textHeight, FFloppyBMP.Height()), picture.Width(), picture.Height(), textHeight);
    picture.Draw(item.hDC, item.rcItem.left + Scale(layout.PictureLeft), item.rcItem.top + Scale(layout.PictureTop),
                 Dpi());
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, ColorToRGB(selected ? clHighlightText : Font().Color));
    const TSelectObject font(item.hDC, Font().Handle(Dpi()));
    RECT text = item.rcItem;
    text.left += Scale(layout.TextLeft);
    text.top += Scale(layout.TextTop);
    DrawTextW(item.hDC, entry.Text.c_str(), static_cast<int>(entry.Text.size()), &text, DT_SINGLELINE | DT_NOPREFIX);
  }
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}
