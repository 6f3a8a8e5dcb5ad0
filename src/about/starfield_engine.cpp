#include "about/starfield_engine.h"

#include <algorithm>

namespace {

std::uint32_t Range(std::int32_t extent) { return extent > 0 ? static_cast<std::uint32_t>(extent) : 0; }

}  // namespace

std::uint32_t ColorToPixel(std::uint32_t color) {
  return ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}

TStarfieldEngine::TStarfieldEngine(IRandomSource& random, IStarfieldWorker& worker)
    : FRandom(random), FWorker(worker) {}

void TStarfieldEngine::SetActive(bool active) {
  if (active != FActive && OnActiveChanged) OnActiveChanged();
  FActive = active;
  FWorker.SetPaused(!active);
}

void TStarfieldEngine::SetDelay(std::uint32_t delay) {
  FDelay = delay;
  FWorker.SetDelay(delay);
}

std::int32_t TStarfieldEngine::NewSpeed() { return static_cast<std::int32_t>(FRandom.Next(FMaxSpeed)) + 1; }

std::uint32_t TStarfieldEngine::NewGrey() {
  const std::uint32_t g = FRandom.Next(120) + 120;
  return g | (g << 8) | (g << 16);
}

void TStarfieldEngine::SetStars(std::uint16_t count) {
  FRandom.Reseed();
  FStars = count;
  FStarfield.resize(count);
  for (TStars& star : FStarfield) {
    star.X = FWidth + static_cast<std::int32_t>(FRandom.Next(Range(FWidth / 2)));
    star.Y = static_cast<std::int32_t>(FRandom.Next(Range(FHeight)));
    star.Speed = NewSpeed();
    star.Color = NewGrey();
  }
}

void TStarfieldEngine::Resize(std::int32_t width, std::int32_t height) {
  FWidth = width;
  FHeight = height;
  SetStars(FStars);
}

void TStarfieldEngine::RenderFrame(const TPixelBuffer& image, std::optional<std::uint32_t> fill) {
  if (fill) {
    const std::uint32_t pixel = ColorToPixel(*fill);
    for (std::int32_t y = 0; y < image.Height; ++y) std::fill_n(image.Bits + y * image.Stride, image.Width, pixel);
  }
  // Stars need room to move in: in an empty field they would be created anew every frame.
  if (FWidth <= 0 || FHeight <= 0) return;
  for (TStars& star : FStarfield) {
    if (star.X < FWidth && star.X < image.Width && star.Y < image.Height)
      image.Bits[star.Y * image.Stride + star.X] = ColorToPixel(star.Color);
    star.X -= star.Speed;
    if (star.X < 0) {
      star.X = FWidth;
      star.Y = static_cast<std::int32_t>(FRandom.Next(Range(FHeight)));
      star.Speed = NewSpeed();
      star.Color = NewGrey();
    }
  }
}
