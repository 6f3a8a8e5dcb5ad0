#pragma once
// Asking the user for one file through the platform's file-open dialog.
#include <string>

struct HWND__;

// The type filter for a description and an extension: "|"-separated pairs of shown name
// and pattern, and the default extension the dialog appends to a bare name.
struct TFileFilter {
  std::wstring Filter;
  std::wstring DefaultExtension;
};

TFileFilter BuildFileFilter(const std::wstring& description, const std::wstring& extension);

// A "|"-separated filter in the dialog's form: every "|" a NUL, the whole ended by two NULs.
std::wstring ToDialogFilter(const std::wstring& filter);

// The chosen file's full path, or empty text when the user cancels. An empty extension
// stands for "*", an empty folder for the platform's choice of starting folder.
std::wstring PickFile(const std::wstring& description, const std::wstring& extension, const std::wstring& initialFolder,
                      HWND__* owner = nullptr);
