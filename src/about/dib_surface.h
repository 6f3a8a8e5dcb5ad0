#pragma once
// An off-screen 32-bit top-down image with a memory DC, for composing frames pixel by pixel
// and copying them to the screen in one go.
#include <windows.h>

#include "about/starfield_engine.h"
#include "base/win_handles.h"

class TDibSurface {
 public:
  TDibSurface() = default;
  TDibSurface(const TDibSurface&) = delete;
  TDibSurface& operator=(const TDibSurface&) = delete;
  ~TDibSurface();

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Re-creates the image at the size; an empty size holds no image.
  void SetSize(int width, int height);
  TPixelBuffer Pixels() const { return {FBits, FWidth, FHeight, FWidth}; }
  // Copies the whole image to dc at (0, 0).
  void CopyTo(HDC dc) const;

 private:
  void Release();

  TMemoryDC FDC;
  TBitmapHandle FBitmap;
  HGDIOBJ FOldBitmap = nullptr;
  std::uint32_t* FBits = nullptr;
  int FWidth = 0, FHeight = 0;
};
