#include "ui/form.h"

#include <shellscalingapi.h>

#include "base/errors.h"
#include "base/text.h"
#include "ui/application.h"
#include "ui/buttons.h"
#include "ui/dispatcher.h"
#include "ui/resources.h"
#include "ui/style.h"

namespace {

struct TLoadedNode {
  TComponent* Component;
  const TLayoutNode* Node;
};

void CreateChildren(TForm& form, TComponent& parent, const TLayoutNode& node, std::vector<TLoadedNode>& created) {
  for (const TLayoutNode& childNode : node.Children) {
    if (form.FindComponent(childNode.Name))
      throw Exception(L"A component named " + childNode.Name + L" already exists");
    TComponent& child = form.Adopt(CreateComponent(childNode.ClassName, &form));
    child.Name = childNode.Name;
    child.BeginLoading();
    if (auto* control = dynamic_cast<TControl*>(&child)) {
      auto* container = dynamic_cast<TWinControl*>(&parent);
      if (!container) throw Exception(childNode.Name + L" needs a windowed parent");
      control->SetParent(container);
    }
    created.push_back({&child, &childNode});
    CreateChildren(form, child, childNode, created);
  }
}

UINT MonitorDpi(HMONITOR monitor) {
  UINT dpiX = 96, dpiY = 96;
  if (FAILED(GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &dpiX, &dpiY))) return 96;
  return dpiX;
}

void NotifyFirstShowing(const TWinControl& parent) {
  for (TControl* control : parent.Controls()) {
    RunGuarded([control] { control->FirstShowing(); });
    if (const auto* container = dynamic_cast<const TWinControl*>(control)) NotifyFirstShowing(*container);
  }
}

}  // namespace

TNotifyEvent TLayoutReader::Handler(const TLayoutValue& name) const {
  TNotifyEvent handler = FForm.FindHandler(name.AsIdentifier());
  if (!handler) throw Exception(L"Handler " + name.Text + L" not found in " + FForm.Name);
  return handler;
}

TComponent& TLayoutReader::Component(const TLayoutValue& name) const {
  TComponent* found = FForm.FindComponent(name.AsIdentifier());
  if (!found) throw Exception(L"Component " + name.Text + L" not found in " + FForm.Name);
  return *found;
}

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  SetVisible(false);
  Application().FormConstructed(this);
}

TForm::~TForm() {
  // Windows go first, while every control object is still whole.
  if (HWND hwnd = HandleIfAllocated()) DestroyWindow(hwnd);
  DestroyComponents();
  Application().FormDestroyed(this);
}

TForm* TForm::MainForm() { return Application().MainForm(); }

void TForm::RegisterHandler(const std::wstring& name, TNotifyEvent handler) { FHandlers[name] = std::move(handler); }

TNotifyEvent TForm::FindHandler(const std::wstring& name) const {
  const auto found = FHandlers.find(name);
  return found == FHandlers.end() ? TNotifyEvent{} : found->second;
}

TForm& TForm::LoadLayout(const std::wstring& resourceName, THandlers handlers) {
  for (const auto& [name, handler] : handlers) RegisterHandler(name, handler);
  const auto bytes = LoadResourceBytes(resourceName);
  if (!bytes) throw Exception(L"Layout " + resourceName + L" not found");
  const TLayoutNode root = ParseLayout(Utf8ToWide(*bytes));
  Name = root.Name;
  BeginLoading();
  std::vector<TLoadedNode> created{{this, &root}};
  CreateChildren(*this, *this, root, created);
  const TLayoutReader reader(*this);
  for (const auto& [component, node] : created)
    for (const auto& property : node->Properties)
      if (!component->SetProperty(property.Name, property.Value, reader))
        throw Exception(L"Property " + property.Name + L" does not exist in " + node->Name + L" (line " +
                        std::to_wstring(property.Value.Line) + L")");
  for (const auto& entry : created) entry.Component->Loaded();
  return *this;
}

void TForm::Loaded() {
  TWinControl::Loaded();
  Resize();
}

void TForm::SetClientSize(int width, int height) {
  FClientWidth = width;
  FClientHeight = height;
  if (HWND hwnd = HandleIfAllocated()) {
    RECT r = window_rect_for_creation(static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)),
                                      static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)));
    SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

bool TForm::SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader) {
  if (name == L"ClientWidth") {
    SetClientSize(value.AsInt(), FClientHeight);
  } else if (name == L"ClientHeight") {
    SetClientSize(FClientWidth, value.AsInt());
  } else if (name == L"BorderStyle") {
    const std::wstring& v = value.AsIdentifier();
    if (v == L"bsSingle")
      FBorderStyle = TBorderStyle::Single;
    else if (v == L"bsDialog")
      FBorderStyle = TBorderStyle::Dialog;
    else if (v == L"bsSizeable")
      FBorderStyle = TBorderStyle::Sizeable;
    else
      return false;
  } else if (name == L"BorderIcons") {
    FSystemMenu = FMinimize = FMaximize = false;
    std::vector<TLayoutValue> icons = value.Kind == TLayoutValue::TKind::List ? value.Items : std::vector{value};
    for (const auto& icon : icons) {
      const std::wstring& v = icon.AsIdentifier();
      if (v == L"biSystemMenu")
        FSystemMenu = true;
      else if (v == L"biMinimize")
        FMinimize = true;
      else if (v == L"biMaximize")
        FMaximize = true;
      else if (v != L"none")
        return false;
    }
  } else if (name == L"FormStyle") {
    FStayOnTop = value.AsIdentifier() == L"fsStayOnTop";
  } else if (name == L"Position") {
    const std::wstring& v = value.AsIdentifier();
    if (v == L"poScreenCenter")
      FPosition = TPosition::ScreenCenter;
    else if (v == L"poOwnerFormCenter")
      FPosition = TPosition::OwnerFormCenter;
    else if (v == L"poDesigned")
      FPosition = TPosition::Designed;
    else
      return false;
  } else if (name == L"OnClose") {
    OnClose = reader.Handler(value);
  } else if (name == L"OnActivate") {
    OnActivate = reader.Handler(value);
  } else {
    return TWinControl::SetProperty(name, value, reader);
  }
  return true;
}

void TForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Style = WS_CLIPCHILDREN | WS_CAPTION;
  params.ExStyle = WS_EX_CONTROLPARENT;
  switch (FBorderStyle) {
    case TBorderStyle::Sizeable: params.Style |= WS_OVERLAPPEDWINDOW; break;
    case TBorderStyle::Single: params.Style |= WS_BORDER; break;
    case TBorderStyle::Dialog:
      params.Style |= WS_POPUP | WS_DLGFRAME;
      params.ExStyle |= WS_EX_DLGMODALFRAME;
      break;
  }
  if (FBorderStyle != TBorderStyle::Sizeable) {
    params.Style &= ~static_cast<DWORD>(WS_MAXIMIZEBOX | WS_MINIMIZEBOX | WS_THICKFRAME);
    if (FMinimize && FBorderStyle != TBorderStyle::Dialog) params.Style |= WS_MINIMIZEBOX;
  }
  if (FSystemMenu)
    params.Style |= WS_SYSMENU;
  else
    params.Style &= ~static_cast<DWORD>(WS_SYSMENU);
  if (FStayOnTop) params.ExStyle |= WS_EX_TOPMOST;
  if (this == MainForm()) params.ExStyle |= WS_EX_APPWINDOW;
}

HWND TForm::OwnerWindow() const {
  const TForm* main = MainForm();
  return main && main != this ? main->HandleIfAllocated() : nullptr;
}

RECT TForm::window_rect_for_creation(DWORD style, DWORD exStyle) {
  // The monitor the form will appear on decides its scale before the window exists.
  POINT anchor{Left(), Top()};
  HWND owner = OwnerWindow();
  HMONITOR monitor =
      owner ? MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST) : MonitorFromPoint(anchor, MONITOR_DEFAULTTOPRIMARY);
  if (!HandleAllocated()) FDpi = MonitorDpi(monitor);
  RECT window{0, 0, ScaleForDpi(FClientWidth, FDpi), ScaleForDpi(FClientHeight, FDpi)};
  AdjustWindowRectExForDpi(&window, style, FALSE, exStyle, FDpi);
  OffsetRect(&window, ScaleForDpi(Left(), FDpi) - window.left, ScaleForDpi(Top(), FDpi) - window.top);
  if (FPosition == TPosition::ScreenCenter)
    center(window, nullptr);
  else if (FPosition == TPosition::OwnerFormCenter)
    center(window, owner);
  return window;
}

void TForm::center(RECT& window, HWND over) const {
  RECT area{};
  if (over && IsWindowVisible(over)) {
    GetWindowRect(over, &area);
  } else {
    MONITORINFO info{sizeof(info)};
    GetMonitorInfoW(MonitorFromWindow(over, MONITOR_DEFAULTTOPRIMARY), &info);
    area = info.rcWork;
  }
  const int width = window.right - window.left, height = window.bottom - window.top;
  window.left = area.left + (area.right - area.left - width) / 2;
  window.top = area.top + (area.bottom - area.top - height) / 2;
  window.right = window.left + width;
  window.bottom = window.top + height;
}

void TForm::HandleCreated() {
  const UINT dpi = GetDpiForWindow(HandleIfAllocated());
  if (dpi != 0 && dpi != FDpi) apply_dpi(dpi, nullptr);
}

void TForm::apply_dpi(UINT dpi, const RECT* suggested) {
  FDpi = dpi;
  HWND hwnd = HandleIfAllocated();
  if (suggested) {
    SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    SetClientSize(FClientWidth, FClientHeight);
  }
  for (TControl* c : Controls()) c->DpiChanged();
  FontChanged();
  InvalidateRect(hwnd, nullptr, TRUE);
}

void TForm::notify_first_showing() {
  if (FShownBefore) return;
  FShownBefore = true;
  ::NotifyFirstShowing(*this);
}

void TForm::remember_focus() {
  const HWND focus = GetFocus();
  if (focus && IsChild(HandleIfAllocated(), focus)) FLastFocus = focus;
}

bool TForm::restore_focus() {
  const HWND form = HandleIfAllocated();
  HWND target = FLastFocus;
  // A control that went, or can no longer take the focus, gives way to the first tab stop.
  if (!target || !IsChild(form, target) || !IsWindowVisible(target) || !IsWindowEnabled(target))
    target = GetNextDlgTabItem(form, nullptr, FALSE);
  if (!target) return false;
  ::SetFocus(target);
  return true;
}

void TForm::Show() {
  HWND hwnd = Handle();
  notify_first_showing();
  if (FPosition != TPosition::Designed && !IsWindowVisible(hwnd)) {
    RECT r = window_rect_for_creation(static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)),
                                      static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)));
    SetWindowPos(hwnd, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // A window that is still the active one when it is shown again gets no activation
  // message, yet it becomes the active window from the user's point of view.
  const bool alreadyActive = GetActiveWindow() == hwnd;
  SetVisible(true);
  ShowWindow(hwnd, SW_SHOW);
  // Every control paints now, before anything else runs: a control left to the message
  // loop shows as an unpainted (black) hole for as long as the loop is busy.
  RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  SetForegroundWindow(hwnd);
  if (alreadyActive && OnActivate) OnActivate(this);
}

int TForm::ShowModal() {
  if (FModal) throw Exception(L"Cannot make a visible window modal");
  HWND hwnd = Handle();
  notify_first_showing();
  // Every other enabled window of this thread waits until the form closes.
  std::vector<HWND> disabled;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM list) -> BOOL {
        auto& windows = *reinterpret_cast<std::vector<HWND>*>(list);
        if (IsWindowVisible(w) && IsWindowEnabled(w)) windows.push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&disabled));
  for (HWND w : disabled) EnableWindow(w, FALSE);
  FModal = true;
  FModalResult = mrNone;
  Show();
  MSG msg;
  while (FModalResult == mrNone) {
    if (!Application().ProcessMessage(msg)) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop must see it too
      FModalResult = mrCancel;
    }
  }
  for (HWND w : disabled)
    if (IsWindow(w)) EnableWindow(w, TRUE);
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  SetVisible(false);
  if (!disabled.empty() && IsWindow(disabled.front()))
    SetActiveWindow(OwnerWindow() ? OwnerWindow() : disabled.front());
  FModal = false;
  return FModalResult;
}

void TForm::SetModalResult(int result) {
  FModalResult = result;
  if (result != mrNone && FModal && OnClose) RunGuarded([&] { OnClose(this); });
}

void TForm::Close() {
  if (FModal) {
    SetModalResult(FModalResult == mrNone ? mrCancel : FModalResult);
    return;
  }
  if (OnClose) OnClose(this);
  if (this == MainForm()) {
    Application().Terminate();
  } else {
    SetVisible(false);
  }
}

LRESULT TForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE: Close(); return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        remember_focus();
        break;
      }
      if (OnActivate) OnActivate(this);
      // Not minimised: the focus goes back where it was, not to the form itself.
      if (HIWORD(wParam) == 0 && restore_focus()) return 0;
      break;
    case DM_GETDEFID:
      if (DefaultButton && DefaultButton->HandleAllocated())
        return MAKELRESULT(DefaultButton->ControlId(), DC_HASDEFID);
      return 0;
    case WM_COMMAND:
      if (lParam == 0 && LOWORD(wParam) == IDCANCEL && FModal) {
        Close();  // Escape in a modal form
        return 0;
      }
      break;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
      // High contrast may have come or gone: every control paints again in the colours now due.
      RefreshHighContrast();
      RedrawWindow(HandleIfAllocated(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
      break;
    case WM_DPICHANGED: apply_dpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam)); return 0;
    default: break;
  }
  return TWinControl::WndProc(msg, wParam, lParam);
}
