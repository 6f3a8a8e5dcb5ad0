#include "standin_registration_win.h"

#include <oleauto.h>
#include <wrl/client.h>

#include "base/win_handles.h"
#include "norvalt_h.h"

using Microsoft::WRL::ComPtr;

// In oleaut32 since Windows Vista, but missing from MinGW's oleauto.h.
extern "C" {
HRESULT WINAPI RegisterTypeLibForUser(ITypeLib* library, OLECHAR* fullPath, OLECHAR* helpFolder);
HRESULT WINAPI UnRegisterTypeLibForUser(REFGUID library, WORD major, WORD minor, LCID locale, SYSKIND system);
}

namespace {

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40];
  ::StringFromGUID2(guid, text, 40);
  return text;
}

std::wstring ClassKeyPath() { return L"Software\\Classes\\CLSID\\" + GuidText(CLSID_CoNorvaltx); }

HRESULT SetDefaultValue(HKEY root, const std::wstring& keyPath, const std::wstring& value) {
  TRegistryKey key;
  LSTATUS status = ::RegCreateKeyExW(root, keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Put(), nullptr);
  if (status == ERROR_SUCCESS)
    status = ::RegSetValueExW(key.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  return HRESULT_FROM_WIN32(status);
}

HRESULT RegisterClassKey(HKEY root, const std::wstring& exePath) {
  const std::wstring key = ClassKeyPath();
  HRESULT status = SetDefaultValue(root, key, L"Norvalt automation (stand-in)");
  if (SUCCEEDED(status)) status = SetDefaultValue(root, key + L"\\LocalServer32", L"\"" + exePath + L"\"");
  if (SUCCEEDED(status)) status = SetDefaultValue(root, key + L"\\TypeLib", GuidText(LIBID_NorvaltLib));
  return status;
}

// Windows merges the user's classes into the classes that COM looks up; where that merge
// is missing (Wine), the class has to go to the machine's classes to be found at all.
bool UserClassesVisible() {
  TRegistryKey key;
  const std::wstring path = L"CLSID\\" + GuidText(CLSID_CoNorvaltx) + L"\\LocalServer32";
  return ::RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, key.Put()) == ERROR_SUCCESS;
}

HRESULT DeleteClassKey(HKEY root) {
  const LSTATUS status = ::RegDeleteTreeW(root, ClassKeyPath().c_str());
  return status == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(status);
}

}  // namespace

HRESULT RegisterStandIn(const std::wstring& exePath) {
  ComPtr<ITypeLib> library;
  HRESULT status = ::LoadTypeLibEx(exePath.c_str(), REGKIND_NONE, &library);
  if (SUCCEEDED(status))
    status = ::RegisterTypeLibForUser(library.Get(), const_cast<wchar_t*>(exePath.c_str()), nullptr);
  if (SUCCEEDED(status)) status = RegisterClassKey(HKEY_CURRENT_USER, exePath);
  if (SUCCEEDED(status) && !UserClassesVisible()) {
    DeleteClassKey(HKEY_CURRENT_USER);
    status = RegisterClassKey(HKEY_LOCAL_MACHINE, exePath);
  }
  return status;
}

HRESULT UnregisterStandIn() {
  const HRESULT user = DeleteClassKey(HKEY_CURRENT_USER);
  // Still visible without the user's entry: it went to the machine's classes.
  const HRESULT machine = UserClassesVisible() ? DeleteClassKey(HKEY_LOCAL_MACHINE) : S_OK;
  const HRESULT library = ::UnRegisterTypeLibForUser(LIBID_NorvaltLib, 1, 0, LOCALE_NEUTRAL, SYS_WIN64);
  if (FAILED(user)) return user;
  if (FAILED(machine)) return machine;
  return library == TYPE_E_REGISTRYACCESS ? S_OK : library;
}
