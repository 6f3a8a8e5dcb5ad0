#include "ui/list_accessibility.h"

#include <wrl/client.h>

#include <atomic>

using Microsoft::WRL::ComPtr;

namespace {

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

VARIANT ChildVariant(long id) {
  VARIANT result;
  VariantInit(&result);
  result.vt = VT_I4;
  result.lVal = id;
  return result;
}

}  // namespace

// The list itself is served by the system's standard object for the window; its rows,
// numbered from 1 as accessibility counts children, by the control.
class TAccessibleList final : public IAccessible {
 public:
  TAccessibleList(HWND window, const IListRows& rows) : FWindow(window), FRows(&rows) {
    CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                              reinterpret_cast<void**>(FStandard.GetAddressOf()));
  }
  void Disconnect() {
    FRows = nullptr;
    FStandard.Reset();
  }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++FReferences; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --FReferences;
    if (left == 0) delete this;
    return left;
  }

  // IDispatch: clients use the IAccessible methods directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (!FStandard) return CO_E_OBJNOTCONNECTED;
    return FStandard->get_accParent(parent);
  }
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
    if (IsSelf(child)) return FStandard ? FStandard->get_accName(child, name) : S_FALSE;
    const int row = Row(child);
    if (row < 0) return E_INVALIDARG;
    const std::wstring text = FRows->RowName(row);
    *name = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *name ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return SelfOnly(child, value, &IAccessible::get_accValue);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return SelfOnly(child, text, &IAccessible::get_accDescription);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!role) return E_POINTER;
    if (!FRows) return CO_E_OBJNOTCONNECTED;
    if (!IsSelf(child) && Row(child) < 0) return E_INVALIDARG;
    *role = ChildVariant(IsSelf(child) ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (!state) return E_POINTER;
    if (!FRows) return CO_E_OBJNOTCONNECTED;
    if (IsSelf(child)) {
      long flags = STATE_SYSTEM_FOCUSABLE;
      if (GetFocus() == FWindow) flags |= STATE_SYSTEM_FOCUSED;
      if (!IsWindowVisible(FWindow)) flags |= STATE_SYSTEM_INVISIBLE;
      if (FRows->RowsMultiSelect()) flags |= STATE_SYSTEM_MULTISELECTABLE | STATE_SYSTEM_EXTSELECTABLE;
      *state = ChildVariant(flags);
      return S_OK;
    }
    const int row = Row(child);
    if (row < 0) return E_INVALIDARG;
    long flags = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (FRows->RowSelected(row)) flags |= STATE_SYSTEM_SELECTED;
    if (row == FRows->FocusedRow() && GetFocus() == FWindow) flags |= STATE_SYSTEM_FOCUSED;
    if (!RowInView(row)) flags |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
    *state = ChildVariant(flags);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return SelfOnly(child, help, &IAccessible::get_accHelp);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    if (!FStandard) return CO_E_OBJNOTCONNECTED;
    return IsSelf(child) ? FStandard->get_accHelpTopic(file, child, topic) : DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
    return SelfOnly(child, keys, &IAccessible::get_accKeyboardShortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (!focus) return E_POINTER;
    if (!FRows) return CO_E_OBJNOTCONNECTED;
    VariantInit(focus);
    if (GetFocus() != FWindow) return S_FALSE;
    const int row = FRows->FocusedRow();
    *focus = ChildVariant(row >= 0 ? row + 1 : CHILDID_SELF);
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
    *selection = ChildVariant(found + 1);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return SelfOnly(child, action, &IAccessible::get_accDefaultAction);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    if (!left || !top || !width || !height) return E_POINTER;
    if (!FStandard) return CO_E_OBJNOTCONNECTED;
    if (IsSelf(child)) return FStandard->accLocation(left, top, width, height, child);
    const int row = Row(child);
    if (row < 0) return E_INVALIDARG;
    RECT rect{};
    if (SendMessageW(FWindow, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect)) == LB_ERR)
      return S_FALSE;
    MapWindowPoints(FWindow, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    *left = rect.left;
    *top = rect.top;
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    if (!end) return E_POINTER;
    if (!FStandard) return CO_E_OBJNOTCONNECTED;
    VariantInit(end);
    const int count = FRows->RowCount();
    if (IsSelf(start)) {
      if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
        if (count == 0) return S_FALSE;
        *end = ChildVariant(direction == NAVDIR_FIRSTCHILD ? 1 : count);
        return S_OK;
      }
      return FStandard->accNavigate(direction, start, end);
    }
    const int row = Row(start);
    if (row < 0) return E_INVALIDARG;
    int target = -1;
    if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) target = row + 1;
    if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) target = row - 1;
    if (target < 0 || target >= count) return S_FALSE;
    *end = ChildVariant(target + 1);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
    if (!hit) return E_POINTER;
    if (!FRows) return CO_E_OBJNOTCONNECTED;
    VariantInit(hit);
    POINT point{x, y};
    ScreenToClient(FWindow, &point);
    RECT client{};
    GetClientRect(FWindow, &client);
    if (!PtInRect(&client, point)) return S_FALSE;
    const int row = FRows->RowAt(point);
    *hit = ChildVariant(row >= 0 ? row + 1 : CHILDID_SELF);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  ~TAccessibleList() = default;

  // The row of a child id, -1 if it names none.
  int Row(const VARIANT& child) const {
    if (child.vt != VT_I4 || !FRows || child.lVal < 1 || child.lVal > FRows->RowCount()) return -1;
    return static_cast<int>(child.lVal - 1);
  }
  // Between the rows at the top and bottom edges of the client area (the last row when the
  // list ends above the bottom edge).
  bool RowInView(int row) const {
    RECT client{};
    GetClientRect(FWindow, &client);
    const int first = FRows->RowAt({0, 0});
    const int last = FRows->RowAt({0, client.bottom - 1});
    return first >= 0 && row >= first && (last < 0 || row <= last);
  }
  // Texts that the standard object knows for the list and that rows do not have.
  HRESULT SelfOnly(const VARIANT& child, BSTR* text, HRESULT (STDMETHODCALLTYPE IAccessible::*read)(VARIANT, BSTR*)) {
    if (!text) return E_POINTER;
    *text = nullptr;
    if (!FStandard) return CO_E_OBJNOTCONNECTED;
    if (IsSelf(child)) return (FStandard.Get()->*read)(child, text);
    return Row(child) >= 0 ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG;
  }

  std::atomic<ULONG> FReferences{1};
  HWND FWindow;
  const IListRows* FRows;
  ComPtr<IAccessible> FStandard;
};

LRESULT TListAccessibility::Answer(HWND window, WPARAM wParam, LPARAM lParam) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT) return 0;
  if (!FObject) FObject = new TAccessibleList(window, FRows);
  return LresultFromObject(__uuidof(IAccessible), wParam, FObject);
}

void TListAccessibility::Disconnect() {
  if (!FObject) return;
  FObject->Disconnect();
  FObject->Release();
  FObject = nullptr;
}

TListAccessibility::~TListAccessibility() { Disconnect(); }
