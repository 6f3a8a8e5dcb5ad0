#pragma once
// One star of the starfield backdrop.
#include <cstdint>

struct TStars {
  std::int32_t X;  // waits beyond the right edge while X >= the field's width
  std::int32_t Y;
  std::uint32_t Color;  // a grey, as 0x00BBGGRR
  std::int32_t Speed;   // pixels to the left per frame
};
