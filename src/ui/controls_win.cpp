#include "ui/controls.h"

#include <commctrl.h>

#include <algorithm>

#include "base/errors.h"
#include "ui/dispatcher.h"

LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK SubclassWindowProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

namespace {

constexpr wchar_t kControlProperty[] = L"VelbrookControl";
constexpr wchar_t kContainerClass[] = L"VelbrookContainer";

ATOM RegisterContainerClass() {
  static const ATOM atom = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ControlWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
    wc.lpszClassName = kContainerClass;
    return RegisterClassExW(&wc);
  }();
  return atom;
}

// The control whose window is being created: messages sent before CreateWindowEx returns
// (WM_NCCREATE, WM_MEASUREITEM) find it here.
thread_local TWinControl* gCreatingControl = nullptr;

bool IsColorMessage(UINT msg) {
  return msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX || msg == WM_CTLCOLORBTN || msg == WM_CTLCOLORSTATIC ||
         msg == WM_CTLCOLORSCROLLBAR;
}

bool IsPaintMessage(UINT msg) {
  return msg == WM_PAINT || msg == WM_NCPAINT || msg == WM_ERASEBKGND || msg == WM_PRINTCLIENT || msg == WM_DRAWITEM;
}

// Runs a window message through the control, reporting any escaped exception (a paint's
// once the paint is over).
LRESULT DispatchToControl(TWinControl& control, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  const auto handle = [&] { result = control.WndProc(msg, wParam, lParam); };
  if (!IsPaintMessage(msg)) return RunGuarded(handle) ? result : 0;
  if (RunPaintGuarded(handle)) return result;
  // The failed paint is over: its region must not ask for the same paint again at once.
  if (msg == WM_PAINT) ValidateRect(hwnd, nullptr);
  return 0;
}

}  // namespace

LRESULT CALLBACK ControlWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* control = TWinControl::FromHandle(hwnd);
  if (!control && msg == WM_NCCREATE && gCreatingControl) {
    control = gCreatingControl;
    control->FHandle = hwnd;
    SetPropW(hwnd, kControlProperty, control);
  }
  if (!control) return DefWindowProcW(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    RemovePropW(hwnd, kControlProperty);
    control->FHandle = nullptr;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  return DispatchToControl(*control, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK SubclassWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR ref) {
  auto* control = reinterpret_cast<TWinControl*>(ref);
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, SubclassWindowProc, 0);
    RemovePropW(hwnd, kControlProperty);
    control->FHandle = nullptr;
    return DefSubclassProc(hwnd, msg, wParam, lParam);
  }
  return DispatchToControl(*control, hwnd, msg, wParam, lParam);
}

// ---- TControl ----

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() {
  if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (FParent) FParent->RemoveControl(this);
  FParent = parent;
  if (FParent) FParent->InsertControl(this);
}

TForm* TControl::ParentForm() const { return FParent ? FParent->ParentForm() : nullptr; }

UINT TControl::Dpi() const { return FParent ? FParent->Dpi() : 96; }

void TControl::SetBounds(int left, int top, int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  if (Windowless()) Invalidate();
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  BoundsChanged();
}

void TControl::BoundsChanged() {
  Invalidate();
  if (!Loading()) Resize();
}

RECT TControl::DeviceRect() const {
  const int left = Scale(FLeft), top = Scale(FTop);
  return RECT{left, top, left + Scale(FWidth), top + Scale(FHeight)};
}

void TControl::SetVisible(bool visible) {
  if (visible == FVisible) return;
  if (!visible) Invalidate();
  FVisible = visible;
  VisibilityChanged();
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  Invalidate();
}

void TControl::SetCaption(const std::wstring& caption) {
  if (caption == FCaption) return;
  FCaption = caption;
  Invalidate();
}

const TFont& TControl::Font() const {
  if (FParentFont && FParent) return FParent->Font();
  return FFont;
}

TFont& TControl::OwnFont() {
  if (FParentFont) {
    if (FParent) FFont = FParent->Font();
    FParentFont = false;
  }
  return FFont;
}

TColor TControl::Color() const {
  if (FParentColor && FParent) return FParent->Color();
  return FColor;
}

void TControl::SetColor(TColor color) {
  FParentColor = false;
  if (color == FColor) return;
  FColor = color;
  Invalidate();
}

bool TControl::SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader) {
  if (name == L"Bounds") {
    const auto v = value.AsInts(4);
    SetBounds(v[0], v[1], v[2], v[3]);
  } else if (name == L"Left") {
    SetLeft(value.AsInt());
  } else if (name == L"Top") {
    SetTop(value.AsInt());
  } else if (name == L"Width") {
    SetWidth(value.AsInt());
  } else if (name == L"Height") {
    SetHeight(value.AsInt());
  } else if (name == L"Visible") {
    SetVisible(value.AsBool());
  } else if (name == L"Enabled") {
    SetEnabled(value.AsBool());
  } else if (name == L"Caption") {
    SetCaption(value.AsString());
  } else if (name == L"Color") {
    SetColor(ColorFromName(value.AsIdentifier()));
  } else if (name == L"ParentColor") {
    FParentColor = value.AsBool();
  } else if (name == L"ParentFont") {
    FParentFont = value.AsBool();
  } else if (name.rfind(L"Font.", 0) == 0) {
    if (!OwnFont().SetProperty(name.substr(5), value)) return false;
    FontChanged();
  } else if (name == L"OnClick") {
    OnClick = reader.Handler(value);
  } else {
    return TComponent::SetProperty(name, value, reader);
  }
  return true;
}

void TControl::Paint(HDC) {}

void TControl::Invalidate() {
  if (!FParent || !FParent->HandleAllocated() || !FVisible) return;
  const RECT r = DeviceRect();
  InvalidateRect(FParent->HandleIfAllocated(), &r, FALSE);
}

// ---- TControlCanvas ----

TControlCanvas::TControlCanvas(TControl& control) {
  TWinControl* parent = control.Parent();
  if (!parent || !parent->HandleAllocated()) return;
  FDC = TWindowDC(parent->HandleIfAllocated());
  const RECT r = control.DeviceRect();
  IntersectClipRect(FDC.Get(), r.left, r.top, r.right, r.bottom);
  SetViewportOrgEx(FDC.Get(), r.left, r.top, nullptr);
}

// ---- TWinControl ----

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
  static int nextId = 1000;
  FControlId = nextId++;
}

TWinControl::~TWinControl() {
  for (TControl* child : std::vector<TControl*>(FControls)) child->SetParent(nullptr);
  destroy_handle();
}

TWinControl* TWinControl::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<TWinControl*>(GetPropW(hwnd, kControlProperty)) : nullptr;
}

void TWinControl::InsertControl(TControl* child) { FControls.push_back(child); }

void TWinControl::RemoveControl(TControl* child) {
  FControls.erase(std::remove(FControls.begin(), FControls.end(), child), FControls.end());
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.ClassName = kContainerClass;
  params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  params.ExStyle = WS_EX_CONTROLPARENT;
}

HWND TWinControl::Handle() {
  if (!FHandle) create_handle();
  return FHandle;
}

void TWinControl::create_handle() {
  HWND parentWindow = CreationParent();
  TCreateParams params;
  CreateParams(params);
  if (!params.Subclass) RegisterContainerClass();
  if (Visible()) params.Style |= WS_VISIBLE;
  if (!Enabled()) params.Style |= WS_DISABLED;
  if (FTabStop) params.Style |= WS_TABSTOP;
  const RECT r = CreationRect(params.Style, params.ExStyle);
  const bool child = (params.Style & WS_CHILD) != 0;
  TWinControl* const previous = std::exchange(gCreatingControl, this);
  HWND hwnd = CreateWindowExW(params.ExStyle, params.ClassName.c_str(), Caption().c_str(), params.Style, r.left, r.top,
                              r.right - r.left, r.bottom - r.top, parentWindow,
                              child ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(FControlId)) : nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  gCreatingControl = previous;
  if (!hwnd) throw Exception(L"Error creating window " + Name + L" (" + std::to_wstring(GetLastError()) + L")");
  if (params.Subclass) {
    FHandle = hwnd;
    FSubclassed = true;
    SetPropW(hwnd, kControlProperty, this);
    SetWindowSubclass(hwnd, SubclassWindowProc, 0, reinterpret_cast<DWORD_PTR>(this));
  }
  HandleCreated();
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle(Dpi())), FALSE);
  for (TControl* c : FControls)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->Handle();
  apply_tab_order();
  CreateWnd();
}

void TWinControl::CreateWnd() {}

RECT TWinControl::CreationRect(DWORD, DWORD) { return DeviceRect(); }

HWND TWinControl::CreationParent() { return Parent() ? Parent()->Handle() : nullptr; }

void TWinControl::destroy_handle() {
  if (!FHandle) return;
  DestroyWnd();
  DestroyWindow(FHandle);
  FHandle = nullptr;
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  destroy_handle();
  create_handle();
}

void TWinControl::apply_tab_order() {
  std::vector<TWinControl*> ordered;
  for (TControl* c : FControls)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->HandleAllocated()) ordered.push_back(w);
  std::stable_sort(ordered.begin(), ordered.end(), [](TWinControl* a, TWinControl* b) {
    const unsigned ta = static_cast<unsigned>(a->FTabOrder), tb = static_cast<unsigned>(b->FTabOrder);
    return ta < tb;  // controls without a tab order (-1) go last
  });
  for (TWinControl* w : ordered)
    SetWindowPos(w->FHandle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::SetTabStop(bool tabStop) {
  FTabStop = tabStop;
  if (!FHandle) return;
  LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
  style = tabStop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
  SetWindowLongPtrW(FHandle, GWL_STYLE, style);
}

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

void TWinControl::SetFocus() { ::SetFocus(Handle()); }

void TWinControl::Invalidate() {
  if (FHandle) InvalidateRect(FHandle, nullptr, FALSE);
}

void TWinControl::SetCaption(const std::wstring& caption) {
  TControl::SetCaption(caption);
  if (!FHandle) return;
  SetWindowTextW(FHandle, caption.c_str());
  // Screen readers learn of a new name (a button that now reads Stop, a status line).
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, FHandle, OBJID_CLIENT, CHILDID_SELF);
}

void TWinControl::SetEnabled(bool enabled) {
  TControl::SetEnabled(enabled);
  if (FHandle) EnableWindow(FHandle, enabled);
}

void TWinControl::SetColor(TColor color) {
  TControl::SetColor(color);
  Invalidate();
}

bool TWinControl::SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader) {
  if (name == L"TabOrder") {
    FTabOrder = value.AsInt();
  } else if (name == L"TabStop") {
    SetTabStop(value.AsBool());
  } else if (name == L"AccessibleName") {
    SetAccessibleName(value.AsString());
  } else {
    return TControl::SetProperty(name, value, reader);
  }
  return true;
}

void TWinControl::BoundsChanged() {
  if (FHandle) ApplyBoundsToWindow();
  TControl::BoundsChanged();
}

void TWinControl::ApplyBoundsToWindow() {
  const RECT r = DeviceRect();
  SetWindowPos(FHandle, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::VisibilityChanged() {
  if (FHandle) ShowWindow(FHandle, Visible() ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::FontChanged() {
  if (FHandle) SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle(Dpi())), TRUE);
  for (TControl* c : FControls) c->FontChanged();
}

void TWinControl::DpiChanged() {
  BoundsChanged();
  FontChanged();
  for (TControl* c : FControls) c->DpiChanged();
}

HBRUSH TWinControl::ControlColor(HDC dc) {
  SetTextColor(dc, ColorToRGB(Font().Color));
  SetBkColor(dc, ColorToRGB(Color()));
  return SolidBrushFor(Color());
}

std::wstring TWinControl::AccessibleName() const {
  return FAccessibleName.empty() ? WithoutAccessKeyMarks(Caption()) : FAccessibleName;
}

void TWinControl::PaintBackground(HDC dc, const RECT& client) { FillRect(dc, &client, SolidBrushFor(Color())); }

void TWinControl::PaintContainer(HDC target, const RECT& clip) {
  RECT client{};
  GetClientRect(FHandle, &client);
  const int width = clip.right - clip.left, height = clip.bottom - clip.top;
  if (width <= 0 || height <= 0) return;
  // Compose off screen so that background and windowless children reach the screen in one copy.
  TMemoryDC dc(CreateCompatibleDC(target));
  TBitmapHandle bitmap(CreateCompatibleBitmap(target, width, height));
  TSelectObject selectBitmap(dc.Get(), bitmap.Get());
  SetViewportOrgEx(dc.Get(), -clip.left, -clip.top, nullptr);
  PaintBackground(dc.Get(), client);
  for (TControl* c : FControls) {
    if (!c->Windowless() || !c->Visible()) continue;
    const RECT r = c->DeviceRect();
    RECT overlap{};
    if (!IntersectRect(&overlap, &r, &clip)) continue;
    const int saved = SaveDC(dc.Get());
    IntersectClipRect(dc.Get(), r.left, r.top, r.right, r.bottom);
    SetViewportOrgEx(dc.Get(), r.left - clip.left, r.top - clip.top, nullptr);
    c->Paint(dc.Get());
    RestoreDC(dc.Get(), saved);
  }
  BitBlt(target, clip.left, clip.top, width, height, dc.Get(), clip.left, clip.top, SRCCOPY);
}

LRESULT TWinControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      if (auto* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
        child->CommandNotify(HIWORD(wParam));
        return 0;
      }
      break;
    case WM_NOTIFY:
      if (auto* child = FromHandle(reinterpret_cast<NMHDR*>(lParam)->hwndFrom))
        return child->NotifyMessage(reinterpret_cast<NMHDR*>(lParam));
      break;
    case WM_DRAWITEM:
      if (auto* child = FromHandle(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem)) {
        child->DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
      }
      break;
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      for (TControl* c : FControls)
        if (auto* w = dynamic_cast<TWinControl*>(c); w && w->FControlId == static_cast<int>(item->CtlID)) {
          w->MeasureItem(*item);
          return TRUE;
        }
      break;
    }
    case WM_GETOBJECT:
      if (const LRESULT answer = FAccessibility.Answer(wParam, lParam, [this] { return MakeAccessible(); }))
        return answer;
      break;
    case WM_DESTROY: FAccessibility.Disconnect(); break;
    case WM_ERASEBKGND:
      if (!FSubclassed) return 1;
      break;
    case WM_PAINT:
      if (!FSubclassed) {
        const TPaintDC paint(FHandle);
        PaintContainer(paint.Get(), paint.PaintRect());
        return 0;
      }
      break;
    case WM_LBUTTONUP:
      if (!FSubclassed && OnClick) OnClick(this);
      break;
    default:
      if (IsColorMessage(msg))
        if (auto* child = FromHandle(reinterpret_cast<HWND>(lParam)))
          return reinterpret_cast<LRESULT>(child->ControlColor(reinterpret_cast<HDC>(wParam)));
      break;
  }
  return DefaultHandler(msg, wParam, lParam);
}

LRESULT TWinControl::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (FSubclassed) return DefSubclassProc(FHandle, msg, wParam, lParam);
  return DefWindowProcW(FHandle, msg, wParam, lParam);
}
