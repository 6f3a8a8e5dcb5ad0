#pragma once
// Where the animations take their random numbers from; tests inject a scripted source.
#include <cstdint>

class IRandomSource {
 public:
  virtual ~IRandomSource() = default;
  // Starts a new sequence from a clock.
  virtual void Reseed() = 0;
  // A uniform number from 0 to range - 1; 0 when range is 0.
  virtual std::uint32_t Next(std::uint32_t range) = 0;
};

// The one process-wide generator, re-seeded from the high-resolution clock.
IRandomSource& ProcessRandom();
