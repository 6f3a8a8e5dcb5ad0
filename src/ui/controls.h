#pragma once
// The control tree: windowless controls painted by their parent, and windowed controls that
// own a native window. Geometry is kept in 96-DPI pixels and scaled to the form's DPI.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/accessibility.h"
#include "ui/component.h"
#include "ui/graphics.h"

class TWinControl;
class TForm;

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* parent);
  // The form the control sits on; a form's own is itself.
  virtual TForm* ParentForm() const;
  // The DPI the control is drawn at: its parent's, down to the form, which answers with its
  // monitor's; 96 outside a form.
  virtual UINT Dpi() const;
  int Scale(int value) const { return ScaleForDpi(value, Dpi()); }

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
  void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
  void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
  void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  // The control's rectangle in its parent's client area, in device pixels.
  RECT DeviceRect() const;

  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool enabled);

  const std::wstring& Caption() const { return FCaption; }
  virtual void SetCaption(const std::wstring& caption);

  // The font in force: the control's own, or its parent's while ParentFont holds.
  const TFont& Font() const;
  TFont& OwnFont();
  TColor Color() const;
  virtual void SetColor(TColor color);

  TNotifyEvent OnClick;

  bool SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader) override;

  // The form is about to appear for the first time. Controls that show outside data read
  // it now rather than when their window is made; errors reach the standard error box.
  virtual void FirstShowing() {}

  // Windowless controls paint themselves here, on their parent's surface at DeviceRect().
  virtual void Paint(HDC dc);
  virtual bool Windowless() const { return true; }
  // Whether the control paints every pixel of its rectangle itself.
  virtual bool Opaque() const { return false; }
  virtual void Invalidate();
  // The geometry or the DPI changed.
  virtual void Resize() {}
  virtual void FontChanged() {}
  virtual void DpiChanged() {}

 protected:
  virtual void BoundsChanged();
  virtual void VisibilityChanged() { Invalidate(); }

 private:
  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  bool FVisible = true;
  bool FEnabled = true;
  std::wstring FCaption;
  TFont FFont;
  bool FParentFont = true;
  TColor FColor = clBtnFace;
  bool FParentColor = true;
};

// Parameters for creating a native window, adjusted by each control class.
struct TCreateParams {
  std::wstring ClassName;
  DWORD Style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD ExStyle = 0;
  bool Subclass = false;  // a system window class that the control subclasses
};

class TWinControl : public TControl, protected IAccessibleSelf {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  HWND Handle();  // creates the window when needed
  HWND HandleIfAllocated() const { return FHandle; }
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded() { Handle(); }
  // Destroys and creates the native window again, keeping the control's state.
  void RecreateWnd();

  const std::vector<TControl*>& Controls() const { return FControls; }
  void InsertControl(TControl* child);
  void RemoveControl(TControl* child);

  int TabOrder() const { return FTabOrder; }
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool tabStop);
  bool Focused() const;
  void SetFocus();

  bool Windowless() const override { return false; }
  void Invalidate() override;
  void SetCaption(const std::wstring& caption) override;
  void SetEnabled(bool enabled) override;
  void SetColor(TColor color) override;
  bool SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader) override;
  void DpiChanged() override;

  // The window procedure of every control; the default handling is DefaultHandler.
  virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);

  // Notifications that the parent window passes back to the control that sent them.
  virtual void CommandNotify(WORD code) { (void)code; }
  virtual LRESULT NotifyMessage(NMHDR* header) {
    (void)header;
    return 0;
  }
  virtual void DrawItem(DRAWITEMSTRUCT& item) { (void)item; }
  virtual void MeasureItem(MEASUREITEMSTRUCT& item) { (void)item; }
  // The brush for WM_CTLCOLOR*: the control's colour and font colour.
  virtual HBRUSH ControlColor(HDC dc);

  static TWinControl* FromHandle(HWND hwnd);
  int ControlId() const { return FControlId; }

  // What assistive technology reads: the role, name and value the control gives itself,
  // each falling back to what the system reads from the window.
  long AccessibleRole() const override { return 0; }
  std::wstring AccessibleName() const override;
  std::wstring AccessibleValue() const override { return {}; }
  // A name for a control without a text of its own (a picture-only button, an unlabelled box).
  void SetAccessibleName(const std::wstring& name) { FAccessibleName = name; }

 protected:
  virtual void CreateParams(TCreateParams& params);
  // The window now exists: push the control's state into it.
  virtual void CreateWnd();
  // The window is about to go: pull state out of it that must survive a re-creation.
  virtual void DestroyWnd() {}
  // Window creation as a form overrides it: where the window goes (device pixels), the
  // window it belongs to (a child's parent, a top-level window's owner), and the moment it
  // exists, before its children are made.
  virtual RECT CreationRect(DWORD style, DWORD exStyle);
  virtual HWND CreationParent();
  virtual void HandleCreated() {}
  // Moves the window to the control's bounds; a form's window is placed by its frame.
  virtual void ApplyBoundsToWindow();
  void BoundsChanged() override;
  void VisibilityChanged() override;
  void FontChanged() override;
  // Paints the background and the windowless children; containers call it from WM_PAINT.
  void PaintContainer(HDC dc, const RECT& clip);
  virtual void PaintBackground(HDC dc, const RECT& client);
  // The object that answers assistive technology; controls with children of their own
  // (rows) make a richer one.
  virtual TAccessibleControl* MakeAccessible() { return new TAccessibleControl(FHandle, *this); }

 private:
  friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
  friend LRESULT CALLBACK SubclassWindowProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  void create_handle();
  void destroy_handle();
  void apply_tab_order();

  HWND FHandle = nullptr;
  bool FSubclassed = false;
  std::vector<TControl*> FControls;
  int FTabOrder = -1;
  bool FTabStop = false;
  int FControlId = 0;
  std::wstring FAccessibleName;
  TAccessibility FAccessibility;
};

// A windowless control (label, picture, starfield).
class TGraphicControl : public TControl {
 public:
  using TControl::TControl;
};

// A drawing surface on a windowless control outside the paint cycle: the parent's DC with
// its origin at the control's top-left corner and clipped to the control.
class TControlCanvas {
 public:
  explicit TControlCanvas(TControl& control);
  HDC DC() const { return FDC.Get(); }

 private:
  TWindowDC FDC;
};

// Pictures stored as resources: PNG through WIC (with alpha), BMP with the colour of the
// bottom-left pixel drawn as transparent.
class TPicture {
 public:
  // Loads the resource; raises Exception when it is missing or cannot be decoded.
  void LoadFromResource(const std::wstring& name);
  bool Empty() const { return !FBitmap; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Draws at (x, y) scaled from 96 DPI to dpi.
  void Draw(HDC dc, int x, int y, UINT dpi) const;

 private:
  TBitmapHandle FBitmap;
  int FWidth = 0, FHeight = 0;
  bool FAlpha = false;
  COLORREF FTransparent = 0;
};
