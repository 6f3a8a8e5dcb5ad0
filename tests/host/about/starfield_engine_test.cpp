#include <gtest/gtest.h>

#include "about/starfield_engine.h"
#include "fakes.h"

namespace {

constexpr std::uint32_t Black = 0;

// An engine of the About box's size over a scripted generator, with its own image.
struct TField {
  TField(std::int32_t width, std::int32_t height) : Engine(Random, Worker) {
    Engine.Resize(width, height);
    Pixels.assign(static_cast<std::size_t>(std::max(width, 0) * std::max(height, 0)), 0xDEADBEEF);
  }
  TPixelBuffer Image() { return {Pixels.data(), Engine.Width(), Engine.Height(), Engine.Width()}; }
  void Frame(std::optional<std::uint32_t> fill = Black) { Engine.RenderFrame(Image(), fill); }
  std::uint32_t At(int x, int y) const { return Pixels[static_cast<std::size_t>(y * Engine.Width() + x)]; }
  int LitPixels() const {
    return static_cast<int>(std::count_if(Pixels.begin(), Pixels.end(), [](std::uint32_t p) { return p != 0; }));
  }

  TScriptedRandom Random;
  TFakeWorker Worker;
  TStarfieldEngine Engine;
  std::vector<std::uint32_t> Pixels;
};

TEST(StarCreation, EachStarDrawsPlaceRowSpeedAndGreyBeyondTheRightEdge) {
  TField f(269, 218);
  f.Random.Ranges.clear();
  f.Random.Script = {133, 217, 9, 119, 0, 0, 0, 0};
  const int reseeds = f.Random.Reseeds;
  f.Engine.SetStars(2);

  EXPECT_EQ(f.Random.Reseeds, reseeds + 1);
  EXPECT_EQ(f.Random.Ranges, (std::vector<std::uint32_t>{134, 218, 10, 120, 134, 218, 10, 120}));
  ASSERT_EQ(f.Engine.Starfield().size(), 2u);
  const TStars& a = f.Engine.Starfield()[0];
  EXPECT_EQ(a.X, 269 + 133);
  EXPECT_EQ(a.Y, 217);
  EXPECT_EQ(a.Speed, 10);
  EXPECT_EQ(a.Color, 0xEFEFEFu);
  const TStars& b = f.Engine.Starfield()[1];
  EXPECT_EQ(b.X, 269);
  EXPECT_EQ(b.Speed, 1);
  EXPECT_EQ(b.Color, 0x787878u);
}

TEST(StarCreation, EverySizeChangeReseedsAndRecreatesAllStars) {
  TField f(50, 20);
  f.Engine.SetStars(5);
  const int reseeds = f.Random.Reseeds;
  f.Random.Script = {7, 7, 7, 7};
  f.Engine.Resize(80, 30);
  EXPECT_EQ(f.Random.Reseeds, reseeds + 1);
  EXPECT_EQ(f.Engine.Starfield().size(), 5u);
  EXPECT_EQ(f.Engine.Starfield()[0].X, 87);
  for (const TStars& s : f.Engine.Starfield()) EXPECT_GE(s.X, 80);
}

TEST(StarCreation, MaxSpeedZeroOrOneGivesSpeedOne) {
  for (std::uint8_t maxSpeed : {0, 1}) {
    TField f(20, 20);
    f.Engine.SetMaxSpeed(maxSpeed);
    f.Random.Script = {5, 5, 5, 5, 5, 5, 5, 5};
    f.Engine.SetStars(2);
    for (const TStars& s : f.Engine.Starfield()) EXPECT_EQ(s.Speed, 1);
  }
}

TEST(StarCreation, MaxSpeedChangeLeavesExistingStarsAlone) {
  TField f(20, 20);
  f.Random.Script = {0, 0, 4, 0};
  f.Engine.SetStars(1);
  f.Engine.SetMaxSpeed(1);
  EXPECT_EQ(f.Engine.Starfield()[0].Speed, 5);
}

TEST(StarFrames, StarEntersInFrameQPlusTwo) {
  struct TCase {
    std::uint32_t K, SpeedIndex;
    int FirstDrawn;
  };
  // The largest k with speed 1 shows first in frame half-width + 1 (135 for 269 wide);
  // k = 10 at speed 3 gives q = 3.
  for (const TCase c : {TCase{133, 0, 135}, TCase{10, 2, 5}, TCase{0, 0, 2}}) {
    TField f(269, 218);
    f.Random.Script = {c.K, 40, c.SpeedIndex, 0};
    f.Engine.SetStars(1);
    int frame = 0;
    do {
      ++frame;
      f.Frame();
    } while (f.LitPixels() == 0 && frame < 300);
    EXPECT_EQ(frame, c.FirstDrawn) << "k=" << c.K;
    const int speed = static_cast<int>(c.SpeedIndex) + 1;
    const int drawnAt = 269 + static_cast<int>(c.K) - (frame - 1) * speed;
    EXPECT_EQ(f.At(drawnAt, 40), 0x787878u);
  }
}

TEST(StarFrames, StarAtColumnZeroIsDrawnThenComesBackAtTheRightEdge) {
  TField f(4, 3);
  f.Random.Script = {0, 1, 3, 0};  // X = 4, row 1, speed 4
  f.Engine.SetStars(1);
  f.Frame();
  EXPECT_EQ(f.LitPixels(), 0);
  EXPECT_EQ(f.Engine.Starfield()[0].X, 0);

  f.Random.Ranges.clear();
  f.Random.Script = {2, 1, 5};
  const int reseeds = f.Random.Reseeds;
  f.Frame();
  EXPECT_EQ(f.At(0, 1), 0x787878u);
  const TStars& s = f.Engine.Starfield()[0];
  EXPECT_EQ(s.X, 4);
  EXPECT_EQ(s.Y, 2);
  EXPECT_EQ(s.Speed, 2);
  EXPECT_EQ(s.Color, 0x7D7D7Du);
  EXPECT_EQ(f.Random.Ranges, (std::vector<std::uint32_t>{3, 10, 120}));
  EXPECT_EQ(f.Random.Reseeds, reseeds);

  // Back at the edge: not drawn in the next frame, drawn at Width - Speed after that.
  f.Frame();
  EXPECT_EQ(f.LitPixels(), 0);
  f.Frame();
  EXPECT_EQ(f.At(2, 2), 0x7D7D7Du);
  EXPECT_EQ(f.LitPixels(), 1);
}

TEST(StarFrames, WholeImageIsRebuiltEachFrameSoThereAreNoTrails) {
  TField f(10, 2);
  f.Random.Script = {0, 0, 0, 0};  // X = 10, row 0, speed 1
  f.Engine.SetStars(1);
  for (int i = 0; i < 4; ++i) f.Frame();
  EXPECT_EQ(f.LitPixels(), 1);
  EXPECT_EQ(f.At(7, 0), 0x787878u);
}

TEST(StarFrames, BackgroundColourIsFilledAsPixelsAndNoColourFillsNothing) {
  TField f(3, 2);
  f.Engine.SetStars(0);
  f.Frame(0x0000FFu);  // red as a colour value
  for (std::uint32_t p : f.Pixels) EXPECT_EQ(p, 0xFF0000u);

  TField clear(3, 2);
  clear.Engine.SetStars(0);
  clear.Frame(std::nullopt);
  for (std::uint32_t p : clear.Pixels) EXPECT_EQ(p, 0xDEADBEEFu);
}

TEST(StarFrames, DegenerateSizesDrawNothingAndStayInsideTheImage) {
  TField empty(0, 0);
  empty.Engine.SetStars(100);
  for (const TStars& s : empty.Engine.Starfield()) EXPECT_EQ(s.X, 0);
  // Stars wait in an empty field instead of being created anew every frame.
  const std::size_t draws = empty.Random.Ranges.size();
  for (int i = 0; i < 3; ++i) empty.Frame();
  EXPECT_EQ(empty.Random.Ranges.size(), draws);

  TField flat(6, 0);  // every star sits on row 0 of an image that has no rows
  flat.Engine.SetStars(20);
  for (const TStars& s : flat.Engine.Starfield()) EXPECT_EQ(s.Y, 0);
  for (int i = 0; i < 10; ++i) flat.Frame();
  EXPECT_EQ(flat.Engine.Starfield()[0].X, 6);

  TField narrow(1, 5);
  narrow.Engine.SetStars(10);
  for (const TStars& s : narrow.Engine.Starfield()) EXPECT_EQ(s.X, 1);
}

TEST(StarfieldProperties, ActiveTellsHandlerBeforeStoringAndAlwaysSetsTheWorkersPause) {
  TField f(10, 10);
  std::vector<bool> seen;
  f.Engine.OnActiveChanged = [&] { seen.push_back(f.Engine.Active()); };

  f.Engine.SetActive(false);  // same value: no handler, but the worker is still paused
  f.Engine.SetActive(true);
  f.Engine.SetActive(true);
  f.Engine.SetActive(false);
  EXPECT_EQ(seen, (std::vector<bool>{false, true}));
  EXPECT_EQ(f.Worker.PausedCalls, (std::vector<bool>{true, false, false, true}));
}

TEST(StarfieldProperties, DelayReachesTheWorkerAndStarsRecreates) {
  TField f(10, 10);
  EXPECT_EQ(f.Engine.Delay(), 50u);
  f.Engine.SetDelay(0);
  EXPECT_EQ(f.Worker.Delay, 0u);
  f.Engine.SetStars(65535);
  EXPECT_EQ(f.Engine.Starfield().size(), 65535u);
  f.Engine.SetStars(0);
  EXPECT_TRUE(f.Engine.Starfield().empty());
}

}  // namespace
