#include "ui/buttons.h"

#include "ui/form.h"
#include "ui/style.h"

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
}

void TButton::CreateParams(TCreateParams& params) {
  params.ClassName = L"BUTTON";
  params.Style = WS_CHILD | WS_CLIPSIBLINGS | BS_OWNERDRAW;
  params.Subclass = true;
}

void TButton::Loaded() {
  TWinControl::Loaded();
  if (FDefault)
    if (TForm* form = ParentForm()) form->DefaultButton = this;
}

void TButton::SetDefault(bool value) {
  FDefault = value;
  Invalidate();
}

bool TButton::SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader) {
  if (name == L"Default") {
    SetDefault(value.AsBool());
  } else if (name == L"ModalResult") {
    const std::wstring& v = value.AsIdentifier();
    FModalResult = v == L"mrOk" ? mrOk : v == L"mrCancel" ? mrCancel : v == L"mrYes" ? mrYes : v == L"mrNo" ? mrNo : 0;
  } else if (name == L"Glyph") {
    SetGlyph(value.AsString());
  } else {
    return TWinControl::SetProperty(name, value, reader);
  }
  return true;
}

void TButton::SetGlyph(const std::wstring& resourceName) {
  FGlyph.LoadFromResource(resourceName);
  Invalidate();
}

void TButton::SetFocusable(bool focusable) {
  FFocusable = focusable;
  SetTabStop(focusable);
}

void TButton::Click() {
  if (OnClick) OnClick(this);
  if (FModalResult != 0)
    if (TForm* form = ParentForm()) form->SetModalResult(FModalResult);
}

void TButton::CommandNotify(WORD code) {
  if (code == BN_CLICKED) Click();
}

LRESULT TButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case BM_SETSTYLE:
      // Dialog navigation marks the default button this way; keep the owner-drawn type.
      SetDefault((wParam & 0x0F) == BS_DEFPUSHBUTTON || (FDefault && (wParam & 0x0F) == BS_OWNERDRAW));
      return 0;
    case WM_GETDLGCODE:
      return DefaultHandler(msg, wParam, lParam) | (FDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case WM_MOUSEMOVE:
      if (!FHot) {
        FHot = true;
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, HandleIfAllocated(), 0};
        TrackMouseEvent(&track);
        Invalidate();
      }
      break;
    case WM_MOUSELEAVE:
      FHot = false;
      Invalidate();
      break;
    case WM_SETFOCUS:
      // A tool button hands the focus straight back to where it came from.
      if (!FFocusable && wParam) {
        ::SetFocus(reinterpret_cast<HWND>(wParam));
        return 0;
      }
      break;
    case WM_ERASEBKGND: return 1;
    default: break;
  }
  return TWinControl::WndProc(msg, wParam, lParam);
}

void TButton::DrawItem(DRAWITEMSTRUCT& item) {
  const RECT rect = item.rcItem;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  TMemoryDC dc(CreateCompatibleDC(item.hDC));
  TBitmapHandle bitmap(CreateCompatibleBitmap(item.hDC, width, height));
  TSelectObject selectBitmap(dc.Get(), bitmap.Get());
  const RECT local{0, 0, width, height};
  FillRect(dc.Get(), &local, SolidBrushFor(Parent() ? Parent()->Color() : clBtnFace));

  TButtonFace face;
  face.Pressed = (item.itemState & ODS_SELECTED) != 0;
  face.Focused = (item.itemState & ODS_FOCUS) != 0;
  face.Disabled = (item.itemState & ODS_DISABLED) != 0;
  face.Default = FDefault;
  face.Hot = FHot;
  PaintButtonFace(dc.Get(), local, face);

  // Picture and caption side by side, centred as one block.
  TSelectObject selectFont(dc.Get(), Font().Handle(Dpi()));
  const std::wstring& text = Caption();
  SIZE textSize{};
  GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &textSize);
  const int glyphWidth = FGlyph.Empty() ? 0 : Scale(FGlyph.Width());
  const int gap = glyphWidth && !text.empty() ? Scale(4) : 0;
  const int blockWidth = glyphWidth + gap + (text.empty() ? 0 : textSize.cx);
  int x = (width - blockWidth) / 2 + (face.Pressed ? 1 : 0);
  const int shift = face.Pressed ? 1 : 0;
  if (glyphWidth) {
    FGlyph.Draw(dc.Get(), x, (height - Scale(FGlyph.Height())) / 2 + shift, Dpi());
    x += glyphWidth + gap;
  }
  if (!text.empty()) {
    SetBkMode(dc.Get(), TRANSPARENT);
    SetTextColor(dc.Get(), face.Disabled ? ColorToRGB(clGrayText) : ColorToRGB(Font().Color));
    RECT textRect{x, shift, x + textSize.cx, height + shift};
    DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
  }
  if (face.Focused && FFocusable && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT focus = local;
    InflateRect(&focus, -Scale(3), -Scale(3));
    DrawFocusRect(dc.Get(), &focus);
  }
  BitBlt(item.hDC, rect.left, rect.top, width, height, dc.Get(), 0, 0, SRCCOPY);
}

TSpeedButton::TSpeedButton(TComponent* owner) : TButton(owner) { SetFocusable(false); }

bool TBitBtn::SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader) {
  if (name != L"Kind") return TButton::SetProperty(name, value, reader);
  if (value.AsIdentifier() != L"bkOK") return false;
  // The standard OK button: its caption, picture and result; Enter presses it.
  SetCaption(L"OK");
  SetModalResult(mrOk);
  SetDefault(true);
  TLayoutValue glyph;
  glyph.Text = L"OKGLYPH";
  return TButton::SetProperty(L"Glyph", glyph, reader);
}
