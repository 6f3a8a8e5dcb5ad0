#pragma once
// The standard controls of the toolkit.
#include <optional>
#include <string>

#include "base/win_handles.h"
#include "ui/controls.h"
#include "ui/list_accessibility.h"

enum class TAlignment { LeftJustify, RightJustify, Center };
enum class TTextLayout { Top, Center, Bottom };

// A text label; automatic sizing fits it to its text. It has a window of its own so that
// screen readers and other programs can read its text, but it takes no focus or clicks.
class TCustomLabel : public TWinControl {
 public:
  explicit TCustomLabel(TComponent* owner);

  void SetCaption(const std::wstring& caption) override;
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool autoSize);
  bool WordWrap() const { return FWordWrap; }
  TAlignment Alignment() const { return FAlignment; }
  bool Transparent() const { return FTransparent; }
  bool ShowAccelChar() const { return FShowAccelChar; }

  // The text that painting and sizing use.
  virtual std::wstring DisplayText() const { return Caption(); }
  // Measures DisplayText and sets the label's size to it (left edge kept; right edge for a
  // right-aligned label).
  void AdjustBounds();

  // Paints the text into the label's client area.
  void Paint(HDC dc) override;
  bool SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader) override;
  void Loaded() override;
  void FontChanged() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  long AccessibleRole() const override { return ROLE_SYSTEM_STATICTEXT; }
  std::wstring AccessibleName() const override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void PaintBackground(HDC dc, const RECT& client) override;

 private:
  UINT draw_flags() const;

  bool FAutoSize = true;
  bool FWordWrap = false;
  bool FTransparent = false;
  bool FShowAccelChar = true;
  TAlignment FAlignment = TAlignment::LeftJustify;
  TTextLayout FLayout = TTextLayout::Top;
};

class TLabel : public TCustomLabel {
 public:
  using TCustomLabel::TCustomLabel;
};

// A windowless picture, drawn centred in its rectangle.
class TImage : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  TPicture& Picture() { return FPicture; }
  void Paint(HDC dc) override;
  bool SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader) override;

 private:
  TPicture FPicture;
};

// A one-line text box; TextHint is the grey cue shown while it is empty.
class TEdit : public TWinControl {
 public:
  explicit TEdit(TComponent* owner);
  std::wstring Text() const;
  void SetText(const std::wstring& text);
  void SetTextHint(const std::wstring& hint);
  bool SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  long AccessibleRole() const override { return ROLE_SYSTEM_TEXT; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

 private:
  std::wstring FText;
  std::wstring FTextHint;
  bool FBorder = true;
  bool FAutoSelect = true;
};

enum class TComboBoxStyle { DropDown, OwnerDrawFixedList };

// The combo box base: an editable drop-down, or a pick-only list drawn by the control.
class TCustomComboBox : public TWinControl {
 public:
  explicit TCustomComboBox(TComponent* owner);
  int Count() const;
  std::wstring Item(int index) const;
  // Adds an entry at the end; raises EOutOfResources when the box cannot take it.
  int AddItem(const std::wstring& text);
  void ClearItems();
  int ItemIndex() const;
  void SetItemIndex(int index);
  std::wstring Text() const;
  void SetText(const std::wstring& text);
  void SetTextHint(const std::wstring& hint);
  bool SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader) override;
  void CommandNotify(WORD code) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  long AccessibleRole() const override { return ROLE_SYSTEM_COMBOBOX; }

  // The user chose an entry from the open list; the box shows its text by then.
  TNotifyEvent OnSelect;
  // The focus left the box.
  TNotifyEvent OnExit;
  // Enter in an editable box whose list is closed; bound, it no longer presses the form's
  // default button.
  TNotifyEvent OnEnterKey;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  // The user picked another entry.
  virtual void Change() {}
  void SetStyle(TComboBoxStyle style) { FStyle = style; }

 private:
  friend LRESULT CALLBACK ComboEditProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  void apply_text_hint();
  void paint_focus_frame();
  // The edit part's messages; true when the box answered msg itself.
  bool edit_message(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // The edit window of an editable box.
  HWND edit_part() const;

  TComboBoxStyle FStyle = TComboBoxStyle::DropDown;
  std::wstring FTextHint;
};

class TComboBox : public TCustomComboBox {
 public:
  using TCustomComboBox::TCustomComboBox;
};

// The list box base: owner-drawn rows of fixed height, single or extended selection.
// Assistive technology reads the rows through IListRows, which lists that keep their rows
// elsewhere override.
class TCustomListBox : public TWinControl, protected IListRows {
 public:
  explicit TCustomListBox(TComponent* owner);
  // The entries and their selection, as the window holds them; lists that keep their entries
  // elsewhere answer these (and the IListRows answers built on them) themselves.
  virtual int Count() const;
  virtual std::wstring Item(int index) const;
  // Adds or inserts an entry; raises EOutOfResources("Unable to insert a line") on failure.
  int AddItem(const std::wstring& text);
  int InsertItem(int index, const std::wstring& text);
  void ClearItems();
  // Reserves room before many entries arrive.
  void ReserveItems(int count, std::size_t textBytes);
  virtual bool Selected(int index) const;
  void SetSelected(int index, bool selected);
  // Every entry (multi-select lists) in one message: one repaint, the view stays.
  void SetAllSelected(bool selected);
  virtual int SelCount() const;
  int ItemIndex() const;  // the highlighted (caret) entry
  // The entry under a client point (a mouse message's lParam), -1 below the last one.
  // Exact at any count, unlike LB_ITEMFROMPOINT, which answers in 16 bits.
  int RowAtPoint(LPARAM point) const;
  void SetItemIndex(int index);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool multiSelect);
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int height);
  // Suspends redrawing while the entries are rebuilt.
  void BeginUpdate();
  void EndUpdate();

  TNotifyEvent OnDblClick;
  bool SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader) override;
  void CommandNotify(WORD code) override;
  void DrawItem(DRAWITEMSTRUCT& item) override;
  void MeasureItem(MEASUREITEMSTRUCT& item) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  // Paints entry index inside rect; the background is already filled in the state's colours.
  virtual void DrawEntry(HDC dc, int index, const RECT& rect, bool selected);
  virtual void DblClick();
  // The entries are read again when the window is (re)created.
  virtual void ReadEntriesOnCreate() {}
  void DpiChanged() override;
  long AccessibleRole() const override { return ROLE_SYSTEM_LIST; }
  TAccessibleControl* MakeAccessible() override;

  int RowCount() const override { return Count(); }
  std::wstring RowName(int row) const override { return Item(row); }
  bool RowSelected(int row) const override { return Selected(row); }
  int FocusedRow() const override { return ItemIndex(); }
  bool RowsMultiSelect() const override { return FMultiSelect; }
  int RowAt(POINT client) const override { return RowAtPoint(MAKELPARAM(client.x, client.y)); }

 private:
  bool FMultiSelect = false;
  int FItemHeight = 16;
  int FUpdateCount = 0;
  std::optional<TRedrawSuspension> FRedrawOff;
  std::vector<std::wstring> FSavedItems;  // kept across a re-creation of the window
};

class TListBox : public TCustomListBox {
 public:
  using TCustomListBox::TCustomListBox;
};

class TProgressBar : public TWinControl {
 public:
  explicit TProgressBar(TComponent* owner);
  int Min() const { return FMin; }
  int Max() const { return FMax; }
  int Position() const { return FPosition; }
  void SetMax(int max);
  void SetPosition(int position);
  bool SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader) override;
  long AccessibleRole() const override { return ROLE_SYSTEM_PROGRESSBAR; }
  // How far it has come, in per cent.
  std::wstring AccessibleValue() const override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;

 private:
  int FMin = 0, FMax = 100, FPosition = 0;
};

// A frame with a caption around other controls.
class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TComponent* owner);
  long AccessibleRole() const override { return ROLE_SYSTEM_GROUPING; }

 protected:
  void PaintBackground(HDC dc, const RECT& client) override;
};

// A plain container with a background colour (no bevel).
class TPanel : public TWinControl {
 public:
  using TWinControl::TWinControl;
};

// Makes the toolkit's own classes known to the layout reader.
void RegisterStandardControls();
