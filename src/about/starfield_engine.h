#pragma once
// What the starfield control computes, without any drawing surface: its properties, its
// stars, and one frame rendered into a 32-bit pixel buffer. The control owns the
// off-screen image and the worker; the engine tells the worker through IStarfieldWorker.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "about/random_source.h"
#include "about/star_types.h"

// A top-down 32-bit image: pixel (x, y) is Bits[y * Stride + x], stored as 0x00RRGGBB.
struct TPixelBuffer {
  std::uint32_t* Bits;
  std::int32_t Width;
  std::int32_t Height;
  std::ptrdiff_t Stride;  // in pixels
};

// The part of the pacing worker that the properties drive.
class IStarfieldWorker {
 public:
  virtual ~IStarfieldWorker() = default;
  virtual void SetPaused(bool paused) = 0;
  virtual void SetDelay(std::uint32_t delay) = 0;
};

// A 0x00BBGGRR colour as a pixel of TPixelBuffer.
std::uint32_t ColorToPixel(std::uint32_t color);

class TStarfieldEngine {
 public:
  // The engine starts with Delay 50, Active off, MaxSpeed 10 and no stars; the control
  // then sizes it and sets Stars.
  TStarfieldEngine(IRandomSource& random, IStarfieldWorker& worker);

  bool Active() const { return FActive; }
  // Tells OnActiveChanged first (when the value changes), then pauses or runs the worker.
  void SetActive(bool active);
  // Told before a change of Active is stored, so the handler still reads the old value.
  std::function<void()> OnActiveChanged;

  std::uint32_t Delay() const { return FDelay; }
  void SetDelay(std::uint32_t delay);

  std::uint16_t Stars() const { return FStars; }
  // Re-seeds the generator and creates every star anew beyond the right edge.
  void SetStars(std::uint16_t count);

  std::uint8_t MaxSpeed() const { return FMaxSpeed; }
  // Applies to stars created or re-initialised from now on.
  void SetMaxSpeed(std::uint8_t maxSpeed) { FMaxSpeed = maxSpeed; }

  std::int32_t Width() const { return FWidth; }
  std::int32_t Height() const { return FHeight; }
  // The control's size changed: the stars are created anew for it.
  void Resize(std::int32_t width, std::int32_t height);

  // One frame into image (of the engine's size): fills it with fill unless there is no
  // fill colour, draws each star where it stands, then moves it one step. Allocates nothing.
  // A field without width or height has no stars to show: they wait, unmoved.
  void RenderFrame(const TPixelBuffer& image, std::optional<std::uint32_t> fill);

  const std::vector<TStars>& Starfield() const { return FStarfield; }

 private:
  std::int32_t NewSpeed();
  std::uint32_t NewGrey();

  IRandomSource& FRandom;
  IStarfieldWorker& FWorker;
  std::vector<TStars> FStarfield;
  bool FActive = false;
  std::uint32_t FDelay = 50;
  std::uint16_t FStars = 0;
  std::uint8_t FMaxSpeed = 10;
  std::int32_t FWidth = 0;
  std::int32_t FHeight = 0;
};
