#pragma once
// Turns a failed automation status into the program's exceptions.
#include <windows.h>

#include <unknwn.h>

#include <string>

// Raises EAbort for the cancel status, otherwise EOleError whose text is the server's
// description (when `source` supports error information for `iid`), else the platform's
// text for the status, else "OLE error xxxxxxxx".
[[noreturn]] void RaiseOleError(HRESULT status, IUnknown* source, REFIID iid);

inline void OleCheck(HRESULT status, IUnknown* source, REFIID iid) {
  if (FAILED(status)) RaiseOleError(status, source, iid);
}

// The platform's text for a status, as the system words it (possibly empty).
std::wstring SystemStatusText(HRESULT status);
