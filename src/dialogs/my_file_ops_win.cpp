#include "dialogs/my_file_ops.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

std::wstring PickFile(const std::wstring& description, const std::wstring& extension, const std::wstring& initialFolder,
                      HWND owner) {
  const TFileFilter filter = BuildFileFilter(description, extension);
  const std::wstring dialogFilter = ToDialogFilter(filter.Filter);
  std::vector<wchar_t> file(32768, L'\0');

  OPENFILENAMEW request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = owner;
  request.lpstrFilter = dialogFilter.c_str();
  request.nFilterIndex = 1;
  request.lpstrFile = file.data();
  request.nMaxFile = static_cast<DWORD>(file.size());
  request.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
  // A wildcard is no extension the dialog could append to a typed name.
  const bool wildcard = filter.DefaultExtension.find_first_of(L"*?") != std::wstring::npos;
  request.lpstrDefExt = wildcard ? nullptr : filter.DefaultExtension.c_str();
  // The process's current folder belongs to the folder lists, so the dialog may not move it.
  request.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER | OFN_NOCHANGEDIR;
  if (!::GetOpenFileNameW(&request)) return {};
  return file.data();
}
