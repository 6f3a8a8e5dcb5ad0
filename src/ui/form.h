#pragma once
// Top-level windows: created from a stored layout resource, shown modeless or modally,
// scaled to the DPI of the monitor they are on.
#include <initializer_list>
#include <map>
#include <utility>

#include "base/errors.h"
#include "ui/controls.h"

enum class TBorderStyle { Sizeable, Single, Dialog };
enum class TPosition { Designed, ScreenCenter, OwnerFormCenter };

// Standard dialog results.
constexpr int mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrYes = IDYES, mrNo = IDNO;

class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  using THandlers = std::initializer_list<std::pair<const wchar_t*, TNotifyEvent>>;
  // Binds the handlers by name, then creates the controls that the layout resource
  // describes and sets their properties. Returns the form, so that a derived form can bind
  // its control members right after.
  TForm& LoadLayout(const std::wstring& resourceName, THandlers handlers = {});
  // Finds a control of the loaded layout by name; raises Exception when it is missing.
  template <typename T>
  T& Control(const std::wstring& name) {
    T* found = dynamic_cast<T*>(FindComponent(name));
    if (!found) throw Exception(L"Control " + name + L" not found in " + Name);
    return *found;
  }

  int ClientWidth() const { return FClientWidth; }
  int ClientHeight() const { return FClientHeight; }
  void SetClientSize(int width, int height);

  void Show();
  // Shows the form modally: other windows of the thread are disabled until it closes.
  int ShowModal();
  // Closes the form: OnClose, then hidden; a modal form returns mrCancel unless a result is set.
  void Close();
  int ModalResult() const { return FModalResult; }
  void SetModalResult(int result);
  bool Modal() const { return FModal; }

  // The window that owns this one: the main form, for the other forms.
  HWND OwnerWindow() const;
  TForm* ParentForm() const override { return const_cast<TForm*>(this); }
  // The DPI of the form's monitor, which all its controls are drawn at.
  UINT Dpi() const override { return FDpi; }

  TNotifyEvent OnClose, OnActivate;
  // The push button that Enter presses.
  class TButton* DefaultButton = nullptr;

  bool SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // Handlers that stored layouts bind by name.
  void RegisterHandler(const std::wstring& name, TNotifyEvent handler);
  TNotifyEvent FindHandler(const std::wstring& name) const;

  static TForm* MainForm();

 protected:
  void CreateParams(TCreateParams& params) override;
  RECT CreationRect(DWORD style, DWORD exStyle) override { return window_rect_for_creation(style, exStyle); }
  HWND CreationParent() override { return OwnerWindow(); }
  void HandleCreated() override;
  void ApplyBoundsToWindow() override {}
  void Loaded() override;

 private:
  RECT window_rect_for_creation(DWORD style, DWORD exStyle);
  void center(RECT& window, HWND over) const;
  void apply_dpi(UINT dpi, const RECT* suggested);
  // Tells every control once, before the form first appears (FirstShowing).
  void notify_first_showing();
  // The control with the focus when the form is left gets it back when the form is active
  // again; the first tab stop when it is first shown.
  void remember_focus();
  bool restore_focus();

  std::map<std::wstring, TNotifyEvent> FHandlers;
  UINT FDpi = 96;
  int FClientWidth = 0, FClientHeight = 0;
  TBorderStyle FBorderStyle = TBorderStyle::Sizeable;
  TPosition FPosition = TPosition::Designed;
  bool FSystemMenu = true, FMinimize = true, FMaximize = true;
  bool FStayOnTop = false;
  int FModalResult = mrNone;
  bool FModal = false;
  bool FShownBefore = false;
  HWND FLastFocus = nullptr;  // a child window of the form, not owned
};
