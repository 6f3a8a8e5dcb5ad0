#include "ui/std_controls.h"

#include <commctrl.h>
#include <windowsx.h>

#include "base/errors.h"
#include "ui/buttons.h"
#include "ui/dispatcher.h"
#include "ui/style.h"

namespace {

std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

int Unscale(int value, UINT dpi) { return MulDiv(value, 96, static_cast<int>(dpi)); }

}  // namespace

// ---- TCustomLabel ----

TCustomLabel::TCustomLabel(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 65, 17); }

void TCustomLabel::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  params.ExStyle = 0;
}

std::wstring TCustomLabel::AccessibleName() const {
  const std::wstring text = FShowAccelChar ? WithoutAccessKeyMarks(DisplayText()) : DisplayText();
  // A label that is empty for now (a status line) reads by its stored name.
  return text.empty() ? TWinControl::AccessibleName() : text;
}

LRESULT TCustomLabel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCHITTEST) return HTTRANSPARENT;  // clicks belong to what lies below
  return TWinControl::WndProc(msg, wParam, lParam);
}

void TCustomLabel::PaintBackground(HDC dc, const RECT&) { Paint(dc); }

void TCustomLabel::SetCaption(const std::wstring& caption) {
  TWinControl::SetCaption(caption);
  if (FAutoSize && !Loading()) AdjustBounds();
}

void TCustomLabel::SetAutoSize(bool autoSize) {
  FAutoSize = autoSize;
  if (FAutoSize && !Loading()) AdjustBounds();
}

void TCustomLabel::FontChanged() {
  if (FAutoSize && !Loading()) AdjustBounds();
  Invalidate();
}

void TCustomLabel::Loaded() {
  TWinControl::Loaded();
  if (FAutoSize) AdjustBounds();
}

UINT TCustomLabel::draw_flags() const {
  UINT flags = DT_EXPANDTABS;
  if (FWordWrap) flags |= DT_WORDBREAK;
  if (!FShowAccelChar) flags |= DT_NOPREFIX;
  if (FAlignment == TAlignment::Center)
    flags |= DT_CENTER;
  else if (FAlignment == TAlignment::RightJustify)
    flags |= DT_RIGHT;
  return flags;
}

void TCustomLabel::AdjustBounds() {
  std::wstring text = DisplayText();
  if (text.empty() || (FShowAccelChar && text == L"&")) text = L" ";
  const TWindowDC screen(nullptr);
  TSelectObject selectFont(screen.Get(), Font().Handle(Dpi()));
  RECT r{0, 0, FWordWrap ? Scale(Width()) : 0, 0};
  DrawTextW(screen.Get(), text.c_str(), static_cast<int>(text.size()), &r, draw_flags() | DT_CALCRECT);
  const int width = Unscale(r.right, Dpi()), height = Unscale(r.bottom, Dpi());
  const int left = FAlignment == TAlignment::RightJustify ? Left() + Width() - width : Left();
  SetBounds(left, Top(), width, height);
}

void TCustomLabel::Paint(HDC dc) {
  RECT r{0, 0, Scale(Width()), Scale(Height())};
  if (!FTransparent) FillRect(dc, &r, SolidBrushFor(Color()));
  const std::wstring text = DisplayText();
  TSelectObject selectFont(dc, Font().Handle(Dpi()));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Enabled() ? Font().Color : clGrayText));
  if (FLayout != TTextLayout::Top) {
    RECT measure = r;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measure, draw_flags() | DT_CALCRECT);
    const int spare = r.bottom - measure.bottom;
    r.top += FLayout == TTextLayout::Center ? spare / 2 : spare;
  }
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, draw_flags());
}

bool TCustomLabel::SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader) {
  if (name == L"AutoSize") {
    SetAutoSize(value.AsBool());
  } else if (name == L"WordWrap") {
    FWordWrap = value.AsBool();
  } else if (name == L"Transparent") {
    FTransparent = value.AsBool();
  } else if (name == L"ShowAccelChar") {
    FShowAccelChar = value.AsBool();
  } else if (name == L"Alignment") {
    const std::wstring& v = value.AsIdentifier();
    if (v == L"taCenter")
      FAlignment = TAlignment::Center;
    else if (v == L"taRightJustify")
      FAlignment = TAlignment::RightJustify;
    else if (v == L"taLeftJustify")
      FAlignment = TAlignment::LeftJustify;
    else
      return false;
  } else if (name == L"Layout") {
    const std::wstring& v = value.AsIdentifier();
    if (v == L"tlCenter")
      FLayout = TTextLayout::Center;
    else if (v == L"tlBottom")
      FLayout = TTextLayout::Bottom;
    else if (v == L"tlTop")
      FLayout = TTextLayout::Top;
    else
      return false;
  } else {
    return TWinControl::SetProperty(name, value, reader);
  }
  Invalidate();
  return true;
}

// ---- TImage ----

void TImage::Paint(HDC dc) {
  if (FPicture.Empty()) return;
  const int x = (Scale(Width()) - Scale(FPicture.Width())) / 2;
  const int y = (Scale(Height()) - Scale(FPicture.Height())) / 2;
  FPicture.Draw(dc, x, y, Dpi());
}

bool TImage::SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader) {
  if (name != L"Picture") return TGraphicControl::SetProperty(name, value, reader);
  FPicture.LoadFromResource(value.AsString());
  Invalidate();
  return true;
}

// ---- TEdit ----

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 23);
}

void TEdit::CreateParams(TCreateParams& params) {
  params.ClassName = L"EDIT";
  params.Style = WS_CHILD | WS_CLIPSIBLINGS | ES_AUTOHSCROLL;
  params.ExStyle = FBorder ? WS_EX_CLIENTEDGE : 0;
  params.Subclass = true;
}

void TEdit::CreateWnd() {
  SetWindowTextW(HandleIfAllocated(), FText.c_str());
  if (!FTextHint.empty())
    SendMessageW(HandleIfAllocated(), EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(FTextHint.c_str()));
}

void TEdit::DestroyWnd() { FText = Text(); }

std::wstring TEdit::Text() const { return HandleAllocated() ? WindowText(HandleIfAllocated()) : FText; }

void TEdit::SetText(const std::wstring& text) {
  FText = text;
  if (HandleAllocated()) SetWindowTextW(HandleIfAllocated(), text.c_str());
}

void TEdit::SetTextHint(const std::wstring& hint) {
  FTextHint = hint;
  if (HandleAllocated())
    SendMessageW(HandleIfAllocated(), EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(hint.c_str()));
}

bool TEdit::SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader) {
  if (name == L"Text")
    SetText(value.AsString());
  else if (name == L"TextHint")
    SetTextHint(value.AsString());
  else if (name == L"BorderStyle")
    FBorder = value.AsIdentifier() != L"bsNone";
  else if (name == L"AutoSelect")
    FAutoSelect = value.AsBool();
  else
    return TWinControl::SetProperty(name, value, reader);
  return true;
}

LRESULT TEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_GETDLGCODE && !FAutoSelect) return DefaultHandler(msg, wParam, lParam) & ~DLGC_HASSETSEL;
  return TWinControl::WndProc(msg, wParam, lParam);
}

// ---- TCustomComboBox ----

TCustomComboBox::TCustomComboBox(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 145, 23);
}

void TCustomComboBox::CreateParams(TCreateParams& params) {
  params.ClassName = L"COMBOBOX";
  params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL | CBS_AUTOHSCROLL;
  params.Style |=
      FStyle == TComboBoxStyle::DropDown ? CBS_DROPDOWN : CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
  params.Subclass = true;
}

namespace {
constexpr UINT WM_COMBO_CHOSEN = WM_APP + 0x5A2;
}  // namespace

// The edit part of an editable box: its Enter key is the box's to give meaning to.
LRESULT CALLBACK ComboEditProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR ref) {
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(edit, ComboEditProc, 0);
    return DefSubclassProc(edit, msg, wParam, lParam);
  }
  LRESULT result = 0;
  bool answered = false;
  RunGuarded(
      [&] { answered = reinterpret_cast<TCustomComboBox*>(ref)->edit_message(edit, msg, wParam, lParam, result); });
  return answered ? result : DefSubclassProc(edit, msg, wParam, lParam);
}

void TCustomComboBox::CreateWnd() {
  // The drop-down part of a combo box counts in its window height.
  const RECT r = DeviceRect();
  SetWindowPos(HandleIfAllocated(), nullptr, r.left, r.top, r.right - r.left, Scale(200),
               SWP_NOZORDER | SWP_NOACTIVATE);
  apply_text_hint();
  if (FStyle == TComboBoxStyle::DropDown)
    SetWindowSubclass(edit_part(), ComboEditProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

HWND TCustomComboBox::edit_part() const {
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  return HandleAllocated() && GetComboBoxInfo(HandleIfAllocated(), &info) ? info.hwndItem : nullptr;
}

bool TCustomComboBox::edit_message(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const auto* queued = reinterpret_cast<const MSG*>(lParam);
  // The form's keyboard handling asks first, and would take Enter for its default button.
  const bool askedForEnter =
      msg == WM_GETDLGCODE && queued && queued->message == WM_KEYDOWN && queued->wParam == VK_RETURN;
  const bool enter = (msg == WM_KEYDOWN && wParam == VK_RETURN) || (msg == WM_CHAR && wParam == L'\r');
  // With its list open, Enter chooses the highlighted entry as usual.
  if (!OnEnterKey || !(askedForEnter || enter) || SendMessageW(HandleIfAllocated(), CB_GETDROPPEDSTATE, 0, 0))
    return false;
  if (askedForEnter)
    result = DefSubclassProc(edit, msg, wParam, lParam) | DLGC_WANTMESSAGE;
  else if (msg == WM_KEYDOWN)
    OnEnterKey(this);
  return true;  // and the key's character is no text for the box
}

void TCustomComboBox::apply_text_hint() {
  if (FTextHint.empty() || !HandleAllocated()) return;
  // The hint belongs to the box's edit part; not every platform version forwards it there.
  if (const HWND edit = edit_part())
    SendMessageW(edit, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(FTextHint.c_str()));
  else
    SendMessageW(HandleIfAllocated(), CB_SETCUEBANNER, 0, reinterpret_cast<LPARAM>(FTextHint.c_str()));
}

int TCustomComboBox::Count() const {
  return HandleAllocated() ? static_cast<int>(SendMessageW(HandleIfAllocated(), CB_GETCOUNT, 0, 0)) : 0;
}

std::wstring TCustomComboBox::Item(int index) const {
  if (!HandleAllocated()) return {};
  const auto length = SendMessageW(HandleIfAllocated(), CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(HandleIfAllocated(), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

int TCustomComboBox::AddItem(const std::wstring& text) {
  const auto index = SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (index < 0) RaiseInsertLineError();
  return static_cast<int>(index);
}

void TCustomComboBox::ClearItems() { SendMessageW(Handle(), CB_RESETCONTENT, 0, 0); }

int TCustomComboBox::ItemIndex() const {
  return HandleAllocated() ? static_cast<int>(SendMessageW(HandleIfAllocated(), CB_GETCURSEL, 0, 0)) : -1;
}

void TCustomComboBox::SetItemIndex(int index) { SendMessageW(Handle(), CB_SETCURSEL, index, 0); }

std::wstring TCustomComboBox::Text() const { return HandleAllocated() ? WindowText(HandleIfAllocated()) : L""; }

void TCustomComboBox::SetText(const std::wstring& text) { SetWindowTextW(Handle(), text.c_str()); }

void TCustomComboBox::SetTextHint(const std::wstring& hint) {
  FTextHint = hint;
  apply_text_hint();
}

bool TCustomComboBox::SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader) {
  if (name == L"TextHint")
    SetTextHint(value.AsString());
  else if (name == L"OnSelect")
    OnSelect = reader.Handler(value);
  else if (name == L"OnExit")
    OnExit = reader.Handler(value);
  else if (name == L"OnEnterKey")
    OnEnterKey = reader.Handler(value);
  else
    return TWinControl::SetProperty(name, value, reader);
  return true;
}

void TCustomComboBox::CommandNotify(WORD code) {
  if (code == CBN_SELCHANGE) Change();
  // Only a choice in the open list counts: arrow keys in a closed box step through the
  // entries. The box puts the entry's text in and closes its list after telling, so the
  // handler hears of the choice once that is done, free to change the entries.
  if (code == CBN_SELENDOK && OnSelect && SendMessageW(HandleIfAllocated(), CB_GETDROPPEDSTATE, 0, 0))
    PostMessageW(HandleIfAllocated(), WM_COMBO_CHOSEN, 0, 0);
  if (code == CBN_KILLFOCUS && OnExit) OnExit(this);
  // The edit part's caret alone is easy to miss: a focused editable box also wears a frame.
  if (FStyle == TComboBoxStyle::DropDown && (code == CBN_SETFOCUS || code == CBN_KILLFOCUS))
    InvalidateRect(HandleIfAllocated(), nullptr, TRUE);
}

LRESULT TCustomComboBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMBO_CHOSEN) {
    if (OnSelect) OnSelect(this);
    return 0;
  }
  const LRESULT result = TWinControl::WndProc(msg, wParam, lParam);
  if (msg == WM_PAINT && FStyle == TComboBoxStyle::DropDown) paint_focus_frame();
  return result;
}

void TCustomComboBox::paint_focus_frame() {
  HWND box = HandleIfAllocated();
  const HWND focus = GetFocus();
  if (focus != box && !IsChild(box, focus)) return;
  RECT client{};
  GetClientRect(box, &client);
  const TWindowDC dc(box);
  FrameRect(dc.Get(), &client, SolidBrushFor(clHighlight));
}

// ---- TCustomListBox ----

TCustomListBox::TCustomListBox(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 97);
}

void TCustomListBox::CreateParams(TCreateParams& params) {
  params.ClassName = L"LISTBOX";
  params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                 LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT;
  if (FMultiSelect) params.Style |= LBS_EXTENDEDSEL;
  params.ExStyle = WS_EX_CLIENTEDGE;
  params.Subclass = true;
}

void TCustomListBox::CreateWnd() {
  HWND hwnd = HandleIfAllocated();
  SendMessageW(hwnd, LB_SETITEMHEIGHT, 0, Scale(FItemHeight));
  for (const auto& text : FSavedItems) SendMessageW(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  FSavedItems.clear();
  ReadEntriesOnCreate();
}

void TCustomListBox::DestroyWnd() {
  FSavedItems.clear();
  for (int i = 0; i < Count(); ++i) FSavedItems.push_back(Item(i));
}

TAccessibleControl* TCustomListBox::MakeAccessible() { return MakeAccessibleList(HandleIfAllocated(), *this, *this); }

void TCustomListBox::DpiChanged() {
  TWinControl::DpiChanged();
  if (HandleAllocated()) SendMessageW(HandleIfAllocated(), LB_SETITEMHEIGHT, 0, Scale(FItemHeight));
}

int TCustomListBox::Count() const {
  if (!HandleAllocated()) return static_cast<int>(FSavedItems.size());
  return static_cast<int>(SendMessageW(HandleIfAllocated(), LB_GETCOUNT, 0, 0));
}

std::wstring TCustomListBox::Item(int index) const {
  if (!HandleAllocated()) return index >= 0 && index < Count() ? FSavedItems[static_cast<std::size_t>(index)] : L"";
  const auto length = SendMessageW(HandleIfAllocated(), LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(HandleIfAllocated(), LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

int TCustomListBox::AddItem(const std::wstring& text) { return InsertItem(-1, text); }

int TCustomListBox::InsertItem(int index, const std::wstring& text) {
  const auto result = SendMessageW(Handle(), LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str()));
  if (result < 0) RaiseInsertLineError();
  return static_cast<int>(result);
}

void TCustomListBox::ClearItems() {
  FSavedItems.clear();
  if (HandleAllocated()) SendMessageW(HandleIfAllocated(), LB_RESETCONTENT, 0, 0);
}

void TCustomListBox::ReserveItems(int count, std::size_t textBytes) {
  SendMessageW(Handle(), LB_INITSTORAGE, count, static_cast<LPARAM>(textBytes));
}

bool TCustomListBox::Selected(int index) const {
  if (!HandleAllocated()) return false;
  if (FMultiSelect) return SendMessageW(HandleIfAllocated(), LB_GETSEL, index, 0) > 0;
  return SendMessageW(HandleIfAllocated(), LB_GETCURSEL, 0, 0) == index;
}

void TCustomListBox::SetSelected(int index, bool selected) {
  if (FMultiSelect)
    SendMessageW(Handle(), LB_SETSEL, selected, index);
  else
    SendMessageW(Handle(), LB_SETCURSEL, selected ? index : -1, 0);
}

void TCustomListBox::SetAllSelected(bool selected) {
  if (FMultiSelect)
    SendMessageW(Handle(), LB_SETSEL, selected, -1);
  else if (!selected)
    SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

int TCustomListBox::RowAtPoint(LPARAM point) const {
  const HWND window = HandleIfAllocated();
  const int y = GET_Y_LPARAM(point);
  const auto rowHeight = static_cast<int>(SendMessageW(window, LB_GETITEMHEIGHT, 0, 0));
  if (y < 0 || rowHeight <= 0) return -1;
  const auto top = static_cast<int>(SendMessageW(window, LB_GETTOPINDEX, 0, 0));
  const auto count = static_cast<int>(SendMessageW(window, LB_GETCOUNT, 0, 0));
  const int row = top + y / rowHeight;
  return row < count ? row : -1;
}

int TCustomListBox::SelCount() const {
  if (!HandleAllocated()) return 0;
  if (FMultiSelect) return static_cast<int>(SendMessageW(HandleIfAllocated(), LB_GETSELCOUNT, 0, 0));
  return SendMessageW(HandleIfAllocated(), LB_GETCURSEL, 0, 0) >= 0 ? 1 : 0;
}

int TCustomListBox::ItemIndex() const {
  if (!HandleAllocated()) return -1;
  return static_cast<int>(SendMessageW(HandleIfAllocated(), FMultiSelect ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int index) {
  if (FMultiSelect)
    SendMessageW(Handle(), LB_SETCARETINDEX, index, FALSE);
  else
    SendMessageW(Handle(), LB_SETCURSEL, index, 0);
}

void TCustomListBox::SetMultiSelect(bool multiSelect) {
  if (multiSelect == FMultiSelect) return;
  FMultiSelect = multiSelect;
  RecreateWnd();
}

void TCustomListBox::SetItemHeight(int height) {
  FItemHeight = height;
  if (HandleAllocated()) {
    SendMessageW(HandleIfAllocated(), LB_SETITEMHEIGHT, 0, Scale(height));
    Invalidate();
  }
}

void TCustomListBox::BeginUpdate() {
  if (FUpdateCount++ == 0 && HandleAllocated()) FRedrawOff.emplace(HandleIfAllocated());
}

void TCustomListBox::EndUpdate() {
  if (--FUpdateCount == 0) FRedrawOff.reset();
}

bool TCustomListBox::SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader) {
  if (name == L"MultiSelect")
    SetMultiSelect(value.AsBool());
  else if (name == L"ItemHeight")
    SetItemHeight(value.AsInt());
  else if (name == L"OnDblClick")
    OnDblClick = reader.Handler(value);
  else
    return TWinControl::SetProperty(name, value, reader);
  return true;
}

void TCustomListBox::CommandNotify(WORD code) {
  if (code == LBN_DBLCLK) DblClick();
}

void TCustomListBox::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TCustomListBox::MeasureItem(MEASUREITEMSTRUCT& item) { item.itemHeight = static_cast<UINT>(Scale(FItemHeight)); }

void TCustomListBox::DrawItem(DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  // A disabled list (its entries locked during a run) says so: grey text, and the selection
  // in the face colour rather than the highlight that invites a click.
  const bool disabled = !Enabled();
  FillRect(item.hDC, &item.rcItem, SolidBrushFor(selected ? (disabled ? clBtnFace : clHighlight) : Color()));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, ColorToRGB(disabled ? clGrayText : selected ? clHighlightText : Font().Color));
  TSelectObject selectFont(item.hDC, Font().Handle(Dpi()));
  DrawEntry(item.hDC, static_cast<int>(item.itemID), item.rcItem, selected);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

void TCustomListBox::DrawEntry(HDC dc, int index, const RECT& rect, bool) {
  const std::wstring text = Item(index);
  RECT r = rect;
  r.left += Scale(2);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_NOPREFIX);
}

// ---- TProgressBar ----

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 150, 17); }

void TProgressBar::CreateParams(TCreateParams& params) {
  params.ClassName = PROGRESS_CLASSW;
  params.Style = WS_CHILD | WS_CLIPSIBLINGS | PBS_SMOOTH;
  params.Subclass = true;
}

void TProgressBar::CreateWnd() {
  HWND hwnd = HandleIfAllocated();
  SendMessageW(hwnd, PBM_SETRANGE32, FMin, FMax);
  SendMessageW(hwnd, PBM_SETPOS, FPosition, 0);
  const TStyle& style = ActiveStyle();
  if (style.Styled())
    SendMessageW(hwnd, PBM_SETBARCOLOR, 0, static_cast<LPARAM>(style.Color(L"Progress", RGB(60, 140, 220))));
}

void TProgressBar::SetMax(int max) {
  FMax = max;
  if (HandleAllocated()) SendMessageW(HandleIfAllocated(), PBM_SETRANGE32, FMin, FMax);
}

std::wstring TProgressBar::AccessibleValue() const {
  const int range = FMax - FMin;
  const int percent = range > 0 ? MulDiv(FPosition - FMin, 100, range) : 0;
  return std::to_wstring(percent) + L"%";
}

void TProgressBar::SetPosition(int position) {
  FPosition = position;
  if (HandleAllocated()) SendMessageW(HandleIfAllocated(), PBM_SETPOS, position, 0);
}

bool TProgressBar::SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader) {
  if (name == L"Max")
    SetMax(value.AsInt());
  else if (name == L"Position")
    SetPosition(value.AsInt());
  else
    return TWinControl::SetProperty(name, value, reader);
  return true;
}

// ---- TGroupBox ----

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 185, 105); }

void TGroupBox::PaintBackground(HDC dc, const RECT& client) {
  TWinControl::PaintBackground(dc, client);
  PaintGroupFrame(dc, client, Caption(), Font().Handle(Dpi()), ColorToRGB(Color()));
}

void RegisterStandardControls() {
  RegisterComponentClass<TLabel>(L"TLabel");
  RegisterComponentClass<TImage>(L"TImage");
  RegisterComponentClass<TEdit>(L"TEdit");
  RegisterComponentClass<TComboBox>(L"TComboBox");
  RegisterComponentClass<TListBox>(L"TListBox");
  RegisterComponentClass<TProgressBar>(L"TProgressBar");
  RegisterComponentClass<TGroupBox>(L"TGroupBox");
  RegisterComponentClass<TPanel>(L"TPanel");
  RegisterComponentClass<TButton>(L"TButton");
  RegisterComponentClass<TBitBtn>(L"TBitBtn");
  RegisterComponentClass<TSpeedButton>(L"TSpeedButton");
}
