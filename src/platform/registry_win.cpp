#include "platform/registry.h"

#include <windows.h>

#include <cwchar>

#include "base/win_handles.h"

namespace {

HKEY RootKey(TRegistryRoot root) {
  switch (root) {
    case TRegistryRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    case TRegistryRoot::CurrentUser: return HKEY_CURRENT_USER;
    case TRegistryRoot::ClassesRoot: break;
  }
  return HKEY_CLASSES_ROOT;
}

}  // namespace

std::wstring ReadRegistryString(TRegistryRoot root, const std::wstring& key, const std::wstring& name) {
  TRegistryKey handle;
  if (::RegOpenKeyExW(RootKey(root), key.c_str(), 0, KEY_QUERY_VALUE, handle.Put()) != ERROR_SUCCESS) return {};
  DWORD bytes = 0;
  if (::RegGetValueW(handle.Get(), nullptr, name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &bytes) != ERROR_SUCCESS) {
    return {};
  }
  std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
  if (::RegGetValueW(handle.Get(), nullptr, name.c_str(), RRF_RT_REG_SZ, nullptr, value.data(), &bytes) !=
      ERROR_SUCCESS) {
    return {};
  }
  value.resize(std::wcslen(value.c_str()));
  return value;
}

bool OpenOrCreateRegistryKey(TRegistryRoot root, const std::wstring& key) {
  TRegistryKey handle;
  return ::RegCreateKeyExW(RootKey(root), key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ, nullptr,
                           handle.Put(), nullptr) == ERROR_SUCCESS;
}
