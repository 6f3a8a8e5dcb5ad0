#pragma once
// What assistive technology reads of a control. Every control answers WM_GETOBJECT with an
// IAccessible that serves what the system's standard object knows of the window, and puts
// the control's own role, name and value first: the system knows nothing of owner-drawn
// buttons, picture-only buttons or windows of the program's own classes.
#include <windows.h>

#include <oleacc.h>
#include <wrl/client.h>

#include <atomic>
#include <string>

// What a control says of itself; an empty answer leaves the system's.
class IAccessibleSelf {
 public:
  virtual ~IAccessibleSelf() = default;
  virtual long AccessibleRole() const = 0;  // 0: the system's
  virtual std::wstring AccessibleName() const = 0;
  virtual std::wstring AccessibleValue() const = 0;
};

// The accessible object of one control window. Clients may hold it after the window has
// gone; it then answers CO_E_OBJNOTCONNECTED.
class TAccessibleControl : public IAccessible {
 public:
  TAccessibleControl(HWND window, const IAccessibleSelf& self);
  TAccessibleControl(const TAccessibleControl&) = delete;
  TAccessibleControl& operator=(const TAccessibleControl&) = delete;
  virtual void Disconnect();

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++FReferences; }
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch: clients use the IAccessible methods directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible: the control's own answers for itself, the standard object's for the rest.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 protected:
  virtual ~TAccessibleControl() = default;
  HWND Window() const { return FWindow; }
  // Passes a call on to the system's standard object while the control lives.
  template <typename... TParams, typename... TArgs>
  HRESULT Forward(HRESULT (STDMETHODCALLTYPE IAccessible::*method)(TParams...), TArgs... args) const {
    return FStandard ? (FStandard.Get()->*method)(args...) : CO_E_OBJNOTCONNECTED;
  }

 private:
  // The control's own text for itself when it has one, else the standard object's.
  HRESULT OwnTextFirst(const VARIANT& child, BSTR* text, std::wstring (IAccessibleSelf::*own)() const,
                       HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, BSTR*));

  std::atomic<ULONG> FReferences{1};
  HWND FWindow;
  const IAccessibleSelf* FSelf;
  Microsoft::WRL::ComPtr<IAccessible> FStandard;
};

// A caption as it reads: "&&" is an ampersand, a single "&" only marks the access key.
std::wstring WithoutAccessKeyMarks(const std::wstring& caption);

bool IsAccessibleSelf(const VARIANT& child);
VARIANT AccessibleChild(long id);
// A string for a client: S_OK, or E_OUTOFMEMORY.
HRESULT AccessibleString(const std::wstring& text, BSTR* out);

// Owned by a control: the accessible object, made on the first request and cut off from the
// control when its window goes.
class TAccessibility {
 public:
  TAccessibility() = default;
  ~TAccessibility() { Disconnect(); }
  TAccessibility(const TAccessibility&) = delete;
  TAccessibility& operator=(const TAccessibility&) = delete;

  // The answer to WM_GETOBJECT for the client area, made by make(); 0 for other objects.
  template <typename TMake>
  LRESULT Answer(WPARAM wParam, LPARAM lParam, TMake make) {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT) return 0;
    if (!FObject) FObject = make();
    return LresultFromObject(__uuidof(IAccessible), wParam, FObject);
  }
  void Disconnect();

 private:
  TAccessibleControl* FObject = nullptr;  // one reference, given up by Disconnect
};
