#pragma once
// Owning handles for the Win32 objects the program holds.
#include <windows.h>

#include <utility>

#include "base/owned.h"

namespace detail {
inline void CloseKernelHandle(HANDLE h) { ::CloseHandle(h); }
inline void DeleteGdiObject(HGDIOBJ h) { ::DeleteObject(h); }
inline void DestroyWindowHandle(HWND h) { ::DestroyWindow(h); }
inline void CloseRegistryKey(HKEY h) { ::RegCloseKey(h); }
inline void CloseFind(HANDLE h) { ::FindClose(h); }
inline void DeleteMemoryDC(HDC h) { ::DeleteDC(h); }
inline void DestroyMenuHandle(HMENU h) { ::DestroyMenu(h); }
template <typename Pointer>
void FreeLocalMemory(Pointer p) {
  ::LocalFree(p);
}
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
using TMenuHandle = TOwned<HMENU, detail::DestroyMenuHandle>;
// What the system allocated for the caller with LocalAlloc (message texts, argument lists).
template <typename Pointer>
using TLocalMemory = TOwned<Pointer, detail::FreeLocalMemory<Pointer>>;

// The DC of one WM_PAINT. EndPaint runs however the painting ends, so a paint that raised
// still gives the DC back and shows the caret again.
class TPaintDC {
 public:
  explicit TPaintDC(HWND window) : FWindow(window), FDC(::BeginPaint(window, &FPaint)) {}
  ~TPaintDC() { ::EndPaint(FWindow, &FPaint); }
  TPaintDC(const TPaintDC&) = delete;
  TPaintDC& operator=(const TPaintDC&) = delete;
  HDC Get() const noexcept { return FDC; }
  // The part of the client area to paint.
  const RECT& PaintRect() const noexcept { return FPaint.rcPaint; }

 private:
  HWND FWindow;
  PAINTSTRUCT FPaint{};
  HDC FDC;
};

// A window's DC from GetDC (the screen's for no window), released with its window.
class TWindowDC {
 public:
  TWindowDC() noexcept = default;
  explicit TWindowDC(HWND window) noexcept : FWindow(window), FDC(::GetDC(window)) {}
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  TWindowDC(TWindowDC&& other) noexcept : FWindow(other.FWindow), FDC(std::exchange(other.FDC, nullptr)) {}
  TWindowDC& operator=(TWindowDC&& other) noexcept {
    if (this != &other) {
      Reset();
      FWindow = other.FWindow;
      FDC = std::exchange(other.FDC, nullptr);
    }
    return *this;
  }
  ~TWindowDC() { Reset(); }

  HDC Get() const noexcept { return FDC; }
  explicit operator bool() const noexcept { return FDC != nullptr; }
  void Reset() noexcept {
    if (FDC) ::ReleaseDC(FWindow, std::exchange(FDC, nullptr));
  }

 private:
  HWND FWindow = nullptr;
  HDC FDC = nullptr;
};

// Keeps a window from redrawing while many changes go in; it is redrawn whole at the end.
class TRedrawSuspension {
 public:
  explicit TRedrawSuspension(HWND window) : FWindow(window) { ::SendMessageW(FWindow, WM_SETREDRAW, FALSE, 0); }
  ~TRedrawSuspension() {
    ::SendMessageW(FWindow, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(FWindow, nullptr, TRUE);
  }
  TRedrawSuspension(const TRedrawSuspension&) = delete;
  TRedrawSuspension& operator=(const TRedrawSuspension&) = delete;

 private:
  HWND FWindow;
};

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
