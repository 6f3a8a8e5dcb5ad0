#include "filelists/file_list_box.h"

#include <algorithm>

#include "filelists/row_layout.h"

TFileListBox::TFileListBox(TComponent* owner)
    : TCustomListBox(owner), FModel(ListsFileSystem(), ListsCollation(), FWindow, FPointer) {
  SetItemHeight(TextHeight96(Font()));
}

void TFileListBox::CreateParams(TCreateParams& params) {
  TCustomListBox::CreateParams(params);
  UseCountedRows(params);  // the names live in the logic
}

void TFileListBox::DrawEntry(HDC dc, int index, const RECT& rect, bool) {
  if (index < 0 || index >= FModel.Count()) return;
  const std::wstring& name = FModel.Item(index);
  const TRowLayout layout = FileRowLayout();
  RECT text = rect;
  text.left += Scale(layout.TextLeft);
  text.top += Scale(layout.TextTop);
  DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &text, DT_SINGLELINE | DT_NOPREFIX);
}

void TFileListBox::FontChanged() {
  TCustomListBox::FontChanged();
  SetItemHeight(TextHeight96(Font()));
}

namespace {

bool KeyHeld(int key) { return GetKeyState(key) < 0; }

// Ctrl+Space and Ctrl with letters make characters too; type-ahead takes plain typing
// only. AltGr reports Ctrl and Alt together and still types.
bool CtrlWithoutAlt() { return KeyHeld(VK_CONTROL) && !KeyHeld(VK_MENU); }

}  // namespace

// The logic keeps the selection: clicks and selecting keys go to it, never to the native
// list's own handling, which would keep an anchor of its own and knows no Ctrl keys.
LRESULT TFileListBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetFocus();
      if (click(lParam, wParam) && msg == WM_LBUTTONDBLCLK) DblClick();
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) {
        // Space alone is a character to search for.
        if (CtrlWithoutAlt()) FModel.ToggleFocused();
        return 0;
      }
      if (move_key(wParam)) return 0;
      break;
    case WM_CHAR:
      if (IsTypeAheadKey(wParam) && !CtrlWithoutAlt()) FModel.TypeKey(static_cast<wchar_t>(wParam), TypeAheadClock());
      return 0;
  }
  return TCustomListBox::WndProc(msg, wParam, lParam);
}

bool TFileListBox::click(LPARAM point, WPARAM keys) {
  const int row = RowAtPoint(point);
  if (row < 0) return false;
  FModel.Click(row, (keys & MK_SHIFT) != 0, (keys & MK_CONTROL) != 0);
  return true;
}

bool TFileListBox::move_key(WPARAM key) {
  const int current = FModel.ItemIndex();
  RECT client{};
  GetClientRect(HandleIfAllocated(), &client);
  // A page step leaves the last row of the old page in sight.
  const int rows = static_cast<int>(client.bottom) / std::max(1, Scale(ItemHeight()));
  const int pageStep = std::max(1, rows - 1);
  int target = 0;
  switch (key) {
    case VK_UP: target = current - 1; break;
    case VK_DOWN: target = current + 1; break;
    case VK_PRIOR: target = current - pageStep; break;
    case VK_NEXT: target = current + pageStep; break;
    case VK_HOME: target = 0; break;
    case VK_END: target = FModel.Count() - 1; break;
    default: return false;
  }
  FModel.MoveTo(target, KeyHeld(VK_SHIFT), KeyHeld(VK_CONTROL));
  return true;
}
