#include "ui/error_text.h"

#include <cwctype>

std::wstring ApplicationTitleFromExeName(const std::wstring& exePath) {
  const auto slash = exePath.find_last_of(L"\\/:");
  std::wstring name = slash == std::wstring::npos ? exePath : exePath.substr(slash + 1);
  name = name.substr(0, name.find(L'.'));
  for (std::size_t i = 1; i < name.size(); ++i) name[i] = static_cast<wchar_t>(std::towlower(name[i]));
  return name;
}

std::wstring ErrorBoxText(const std::wstring& message) {
  if (!message.empty() && message.back() > L'.') return message + L'.';
  return message;
}
