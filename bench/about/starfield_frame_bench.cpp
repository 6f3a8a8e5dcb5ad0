// One starfield frame at the About box's size with the default 100 stars: time per frame
// and heap allocations per frame.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

#include "about/random_source.h"
#include "about/starfield_engine.h"

namespace {

std::atomic<long long> Allocations{0};

class TIdleWorker : public IStarfieldWorker {
 public:
  void SetPaused(bool) override {}
  void SetDelay(std::uint32_t) override {}
};

}  // namespace

void* operator new(std::size_t size) {
  ++Allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

int main() {
  constexpr int Width = 269, Height = 218, Frames = 20000;
  TIdleWorker worker;
  TStarfieldEngine engine(ProcessRandom(), worker);
  engine.Resize(Width, Height);
  engine.SetStars(100);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(Width * Height));
  const TPixelBuffer image{pixels.data(), Width, Height, Width};

  for (int i = 0; i < 200; ++i) engine.RenderFrame(image, 0u);  // warm-up: stars moving in
  const long long before = Allocations;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < Frames; ++i) engine.RenderFrame(image, 0u);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  const long long allocations = Allocations - before;

  const double us = std::chrono::duration<double, std::micro>(elapsed).count() / Frames;
  std::printf("starfield frame %dx%d, %d stars: %.2f us per frame (%d frames)\n", Width, Height, 100, us, Frames);
  std::printf("allocations per frame: %.3f (%lld in %d frames)\n", static_cast<double>(allocations) / Frames,
              allocations, Frames);
  std::printf("frame budget at the default 50 ms delay: %.4f %% of it\n", us / 50000.0 * 100.0);
  return 0;
}
