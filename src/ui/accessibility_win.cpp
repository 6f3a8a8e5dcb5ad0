#include "ui/accessibility.h"

std::wstring WithoutAccessKeyMarks(const std::wstring& caption) {
  std::wstring text;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'&' && i + 1 < caption.size()) ++i;
    text += caption[i];
  }
  return text;
}

bool IsAccessibleSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

VARIANT AccessibleChild(long id) {
  VARIANT result;
  VariantInit(&result);
  result.vt = VT_I4;
  result.lVal = id;
  return result;
}

HRESULT AccessibleString(const std::wstring& text, BSTR* out) {
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

TAccessibleControl::TAccessibleControl(HWND window, const IAccessibleSelf& self) : FWindow(window), FSelf(&self) {
  CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                            reinterpret_cast<void**>(FStandard.GetAddressOf()));
}

void TAccessibleControl::Disconnect() {
  FSelf = nullptr;
  FStandard.Reset();
}

HRESULT TAccessibleControl::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG TAccessibleControl::Release() {
  const ULONG left = --FReferences;
  if (left == 0) delete this;
  return left;
}

HRESULT TAccessibleControl::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT TAccessibleControl::get_accName(VARIANT child, BSTR* name) {
  return OwnTextFirst(child, name, &IAccessibleSelf::AccessibleName, &IAccessible::get_accName);
}

HRESULT TAccessibleControl::get_accRole(VARIANT child, VARIANT* role) {
  if (!role) return E_POINTER;
  if (!FSelf || !FStandard) return CO_E_OBJNOTCONNECTED;
  if (IsAccessibleSelf(child))
    if (const long own = FSelf->AccessibleRole(); own != 0) {
      *role = AccessibleChild(own);
      return S_OK;
    }
  return FStandard->get_accRole(child, role);
}

HRESULT TAccessibleControl::get_accValue(VARIANT child, BSTR* value) {
  return OwnTextFirst(child, value, &IAccessibleSelf::AccessibleValue, &IAccessible::get_accValue);
}

HRESULT TAccessibleControl::OwnTextFirst(const VARIANT& child, BSTR* text, std::wstring (IAccessibleSelf::*own)() const,
                                         HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, BSTR*)) {
  if (!text) return E_POINTER;
  *text = nullptr;
  if (!FSelf || !FStandard) return CO_E_OBJNOTCONNECTED;
  if (IsAccessibleSelf(child))
    if (const std::wstring ownText = (FSelf->*own)(); !ownText.empty()) return AccessibleString(ownText, text);
  return (FStandard.Get()->*standard)(child, text);
}

// The rest is the standard object's.

HRESULT TAccessibleControl::get_accParent(IDispatch** parent) { return Forward(&IAccessible::get_accParent, parent); }
HRESULT TAccessibleControl::get_accChildCount(long* count) { return Forward(&IAccessible::get_accChildCount, count); }
HRESULT TAccessibleControl::get_accChild(VARIANT child, IDispatch** object) {
  return Forward(&IAccessible::get_accChild, child, object);
}
HRESULT TAccessibleControl::get_accDescription(VARIANT child, BSTR* text) {
  return Forward(&IAccessible::get_accDescription, child, text);
}
HRESULT TAccessibleControl::get_accState(VARIANT child, VARIANT* state) {
  return Forward(&IAccessible::get_accState, child, state);
}
HRESULT TAccessibleControl::get_accHelp(VARIANT child, BSTR* help) {
  return Forward(&IAccessible::get_accHelp, child, help);
}
HRESULT TAccessibleControl::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
  return Forward(&IAccessible::get_accHelpTopic, file, child, topic);
}
HRESULT TAccessibleControl::get_accKeyboardShortcut(VARIANT child, BSTR* keys) {
  return Forward(&IAccessible::get_accKeyboardShortcut, child, keys);
}
HRESULT TAccessibleControl::get_accFocus(VARIANT* focus) { return Forward(&IAccessible::get_accFocus, focus); }
HRESULT TAccessibleControl::get_accSelection(VARIANT* selection) {
  return Forward(&IAccessible::get_accSelection, selection);
}
HRESULT TAccessibleControl::get_accDefaultAction(VARIANT child, BSTR* action) {
  return Forward(&IAccessible::get_accDefaultAction, child, action);
}
HRESULT TAccessibleControl::accSelect(long flags, VARIANT child) {
  return Forward(&IAccessible::accSelect, flags, child);
}
HRESULT TAccessibleControl::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
  return Forward(&IAccessible::accLocation, left, top, width, height, child);
}
HRESULT TAccessibleControl::accNavigate(long direction, VARIANT start, VARIANT* end) {
  return Forward(&IAccessible::accNavigate, direction, start, end);
}
HRESULT TAccessibleControl::accHitTest(long x, long y, VARIANT* hit) {
  return Forward(&IAccessible::accHitTest, x, y, hit);
}
HRESULT TAccessibleControl::accDoDefaultAction(VARIANT child) {
  return Forward(&IAccessible::accDoDefaultAction, child);
}

void TAccessibility::Disconnect() {
  if (!FObject) return;
  FObject->Disconnect();
  FObject->Release();
  FObject = nullptr;
}
