#include "about/dib_surface.h"

#include "base/errors.h"

TDibSurface::~TDibSurface() { Release(); }

void TDibSurface::Release() {
  // The bitmap leaves the DC before either is freed.
  if (FOldBitmap) ::SelectObject(FDC.Get(), FOldBitmap);
  FOldBitmap = nullptr;
  FBitmap.Reset();
  FDC.Reset();
  FBits = nullptr;
  FWidth = FHeight = 0;
}

void TDibSurface::SetSize(int width, int height) {
  Release();
  if (width <= 0 || height <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  FBitmap.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  FDC.Reset(::CreateCompatibleDC(nullptr));
  if (!FBitmap || !FDC) {
    Release();
    throw EOutOfResources(L"Out of system resources");
  }
  FOldBitmap = ::SelectObject(FDC.Get(), FBitmap.Get());
  FBits = static_cast<std::uint32_t*>(bits);
  FWidth = width;
  FHeight = height;
}

void TDibSurface::CopyTo(HDC dc) const {
  if (FBits) ::BitBlt(dc, 0, 0, FWidth, FHeight, FDC.Get(), 0, 0, SRCCOPY);
}
