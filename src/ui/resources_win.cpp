#include "ui/resources.h"

std::optional<std::string> LoadResourceBytes(const std::wstring& name, LPCWSTR type) {
  const HMODULE module = GetModuleHandleW(nullptr);
  const HRSRC info = FindResourceW(module, name.c_str(), type);
  if (!info) return std::nullopt;
  const HGLOBAL loaded = LoadResource(module, info);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return std::nullopt;
  return std::string(static_cast<const char*>(data), SizeofResource(module, info));
}
