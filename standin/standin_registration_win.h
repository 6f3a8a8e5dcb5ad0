#pragma once
// Registration of the stand-in as Norvalt's local server, per user (no elevation needed):
// the class with its LocalServer32 and the type library carried by the executable, whose
// interface entries let the standard marshaler carry INorvaltx calls between processes.
#include <windows.h>

#include <string>

HRESULT RegisterStandIn(const std::wstring& exePath);
HRESULT UnregisterStandIn();
