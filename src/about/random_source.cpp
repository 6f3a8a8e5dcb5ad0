#include "about/random_source.h"

#include <chrono>
#include <random>

namespace {

class TClockSeededRandom : public IRandomSource {
 public:
  void Reseed() override {
    FEngine.seed(static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
  }
  std::uint32_t Next(std::uint32_t range) override {
    if (range == 0) return 0;
    return std::uniform_int_distribution<std::uint32_t>(0, range - 1)(FEngine);
  }

 private:
  std::mt19937_64 FEngine{std::random_device{}()};
};

}  // namespace

IRandomSource& ProcessRandom() {
  static TClockSeededRandom random;
  return random;
}
