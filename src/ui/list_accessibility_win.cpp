#include "ui/list_accessibility.h"

// The list itself is served by the control; its rows by IListRows.
class TAccessibleList final : public TAccessibleControl {
 public:
  TAccessibleList(HWND window, const IAccessibleSelf& self, const IListRows& rows)
      : TAccessibleControl(window, self), FRows(&rows) {}
  void Disconnect() override {
    FRows = nullptr;
    TAccessibleControl::Disconnect();
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!count) return E_POINTER;
    if (!FRows) return CO_E_OBJNOTCONNECTED;
    *count = FRows->RowCount();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!FRows) return CO_E_OBJNOTCONNECTED;
    return Row(child) >= 0 ? S_FALSE : E_INVALIDARG;  // rows are simple elements
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!name) return E_POINTER;
    *name = nullptr;
    if (!FRows) return CO_E_OBJNOTCONNECTED;
    if (IsAccessibleSelf(child)) return TAccessibleControl::get_accName(child, name);
    const int row = Row(child);
    if (row < 0) return E_INVALIDARG;
    return AccessibleString(FRows->RowName(row), name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    if (IsAccessibleSelf(child)) return TAccessibleControl::get_accValue(child, value);
    return SelfOnly(child, value, &IAccessible::get_accValue);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return SelfOnly(child, text, &IAccessible::get_accDescription);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!role) return E_POINTER;
    if (!FRows) return CO_E_OBJNOTCONNECTED;
    if (IsAccessibleSelf(child)) return TAccessibleControl::get_accRole(child, role);
    if (Row(child) < 0) return E_INVALIDARG;
    *role = AccessibleChild(ROLE_SYSTEM_LISTITEM);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (!state) return E_POINTER;
    if (!FRows) return CO_E_OBJNOTCONNECTED;
    if (IsAccessibleSelf(child)) {
      long flags = STATE_SYSTEM_FOCUSABLE;
      if (GetFocus() == Window()) flags |= STATE_SYSTEM_FOCUSED;
      if (!IsWindowVisible(Window())) flags |= STATE_SYSTEM_INVISIBLE;
      if (FRows->RowsMultiSelect()) flags |= STATE_SYSTEM_MULTISELECTABLE | STATE_SYSTEM_EXTSELECTABLE;
      *state = AccessibleChild(flags);
      return S_OK;
    }
    const int row = Row(child);
    if (row < 0) return E_INVALIDARG;
    long flags = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (FRows->RowSelected(row)) flags |= STATE_SYSTEM_SELECTED;
    if (row == FRows->FocusedRow() && GetFocus() == Window()) flags |= STATE_SYSTEM_FOCUSED;
    if (!RowInView(row)) flags |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
    *state = AccessibleChild(flags);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return SelfOnly(child, help, &IAccessible::get_accHelp);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return IsAccessibleSelf(child) ? TAccessibleControl::get_accHelpTopic(file, child, topic) : DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
    return SelfOnly(child, keys, &IAccessible::get_accKeyboardShortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (!focus) return E_POINTER;
    if (!FRows) return CO_E_OBJNOTCONNECTED;
    VariantInit(focus);
    if (GetFocus() != Window()) return S_FALSE;
    const int row = FRows->FocusedRow();
    *focus = AccessibleChild(row >= 0 ? row + 1 : CHILDID_SELF);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (!selection) return E_POINTER;
    if (!FRows) return CO_E_OBJNOTCONNECTED;
    VariantInit(selection);
    int found = -1;
    for (int row = 0; row < FRows->RowCount(); ++row) {
      if (!FRows->RowSelected(row)) continue;
      if (found >= 0) return E_NOTIMPL;  // several: clients then ask each row's state
      found = row;
    }
    if (found < 0) return S_FALSE;
    *selection = AccessibleChild(found + 1);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return SelfOnly(child, action, &IAccessible::get_accDefaultAction);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    if (!left || !top || !width || !height) return E_POINTER;
    if (!FRows) return CO_E_OBJNOTCONNECTED;
    if (IsAccessibleSelf(child)) return TAccessibleControl::accLocation(left, top, width, height, child);
    const int row = Row(child);
    if (row < 0) return E_INVALIDARG;
    RECT rect{};
    if (SendMessageW(Window(), LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect)) == LB_ERR)
      return S_FALSE;
    MapWindowPoints(Window(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
    *left = rect.left;
    *top = rect.top;
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    if (!end) return E_POINTER;
    if (!FRows) return CO_E_OBJNOTCONNECTED;
    VariantInit(end);
    const int count = FRows->RowCount();
    if (IsAccessibleSelf(start)) {
      if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
        if (count == 0) return S_FALSE;
        *end = AccessibleChild(direction == NAVDIR_FIRSTCHILD ? 1 : count);
        return S_OK;
      }
      return TAccessibleControl::accNavigate(direction, start, end);
    }
    const int row = Row(start);
    if (row < 0) return E_INVALIDARG;
    int target = -1;
    if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) target = row + 1;
    if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) target = row - 1;
    if (target < 0 || target >= count) return S_FALSE;
    *end = AccessibleChild(target + 1);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
    if (!hit) return E_POINTER;
    if (!FRows) return CO_E_OBJNOTCONNECTED;
    VariantInit(hit);
    POINT point{x, y};
    ScreenToClient(Window(), &point);
    RECT client{};
    GetClientRect(Window(), &client);
    if (!PtInRect(&client, point)) return S_FALSE;
    const int row = FRows->RowAt(point);
    *hit = AccessibleChild(row >= 0 ? row + 1 : CHILDID_SELF);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return DISP_E_MEMBERNOTFOUND; }

 private:
  ~TAccessibleList() override = default;

  // The row of a child id, -1 if it names none.
  int Row(const VARIANT& child) const {
    if (child.vt != VT_I4 || !FRows || child.lVal < 1 || child.lVal > FRows->RowCount()) return -1;
    return static_cast<int>(child.lVal - 1);
  }
  // Between the rows at the top and bottom edges of the client area (the last row when the
  // list ends above the bottom edge).
  bool RowInView(int row) const {
    RECT client{};
    GetClientRect(Window(), &client);
    const int first = FRows->RowAt({0, 0});
    const int last = FRows->RowAt({0, client.bottom - 1});
    return first >= 0 && row >= first && (last < 0 || row <= last);
  }
  // Texts that the list has and its rows do not.
  HRESULT SelfOnly(const VARIANT& child, BSTR* text, HRESULT (STDMETHODCALLTYPE IAccessible::*read)(VARIANT, BSTR*)) {
    if (!text) return E_POINTER;
    *text = nullptr;
    if (!FRows) return CO_E_OBJNOTCONNECTED;
    if (IsAccessibleSelf(child)) return Forward(read, child, text);
    return Row(child) >= 0 ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG;
  }

  const IListRows* FRows;
};

TAccessibleControl* MakeAccessibleList(HWND window, const IAccessibleSelf& self, const IListRows& rows) {
  return new TAccessibleList(window, self, rows);
}
