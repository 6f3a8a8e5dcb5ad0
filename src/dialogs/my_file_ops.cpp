#include "dialogs/my_file_ops.h"

TFileFilter BuildFileFilter(const std::wstring& description, const std::wstring& extension) {
  std::wstring ext = extension.empty() ? L"*" : extension;
  // The dialog appends the default extension after its own ".", so it never starts with one.
  if (const std::size_t dot = ext.find(L'.'); dot != std::wstring::npos && (!description.empty() || dot == 0)) {
    ext.erase(dot, 1);
  }
  const std::wstring allFiles = L"All Files (*.*)|*.*";
  if (description.empty()) return {allFiles, ext};
  return {description + L" Files (*." + ext + L")|*." + ext + L"|" + allFiles, ext};
}

std::wstring ToDialogFilter(const std::wstring& filter) {
  std::wstring result = filter;
  for (wchar_t& c : result) {
    if (c == L'|') c = L'\0';
  }
  result.append(2, L'\0');
  return result;
}
