#pragma once
// Owning handles for the Win32 objects the program holds.
#include <windows.h>

#include "base/owned.h"

namespace detail {
inline void CloseKernelHandle(HANDLE h) { ::CloseHandle(h); }
inline void DeleteGdiObject(HGDIOBJ h) { ::DeleteObject(h); }
inline void DestroyWindowHandle(HWND h) { ::DestroyWindow(h); }
inline void CloseRegistryKey(HKEY h) { ::RegCloseKey(h); }
inline void CloseFind(HANDLE h) { ::FindClose(h); }
inline void DeleteMemoryDC(HDC h) { ::DeleteDC(h); }
inline void DestroyIconHandle(HICON h) { ::DestroyIcon(h); }
inline void ReleaseModule(HMODULE h) { ::FreeLibrary(h); }
}  // namespace detail

using TKernelHandle = TOwned<HANDLE, detail::CloseKernelHandle>;
using TFileHandle = TOwned<HANDLE, detail::CloseKernelHandle, -1>;  // CreateFile fails with -1
using TFindHandle = TOwned<HANDLE, detail::CloseFind, -1>;
using TGdiObject = TOwned<HGDIOBJ, detail::DeleteGdiObject>;
using TBitmapHandle = TOwned<HBITMAP, detail::DeleteGdiObject>;
using TFontHandle = TOwned<HFONT, detail::DeleteGdiObject>;
using TBrushHandle = TOwned<HBRUSH, detail::DeleteGdiObject>;
using TWindowHandle = TOwned<HWND, detail::DestroyWindowHandle>;
using TRegistryKey = TOwned<HKEY, detail::CloseRegistryKey>;
using TMemoryDC = TOwned<HDC, detail::DeleteMemoryDC>;
using TIconHandle = TOwned<HICON, detail::DestroyIconHandle>;
using TModuleHandle = TOwned<HMODULE, detail::ReleaseModule>;

// Selects a GDI object into a DC for one scope and puts the previous one back.
class TSelectObject {
 public:
  TSelectObject(HDC dc, HGDIOBJ obj) : FDC(dc), FOld(::SelectObject(dc, obj)) {}
  ~TSelectObject() { ::SelectObject(FDC, FOld); }
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;

 private:
  HDC FDC;
  HGDIOBJ FOld;
};
