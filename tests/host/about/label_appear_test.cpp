#include <gtest/gtest.h>

#include <limits>

#include "about/behaviors/appear.h"
#include "about/behaviors/label_core.h"
#include "base/errors.h"
#include "fakes.h"

namespace {

// A label inside a container, running "Appearing" over the virtual clock.
struct TAppearRun {
  TAppearRun() : Core(Label) {
    Core.SetBehavior(L"Appearing");
    Label.Parent = TClientSize{162, 61};
    Label.BoundsValue = {4, 0, 142, 20};
    Label.VisibleValue = false;
  }
  TLabelAppear& Appear() { return static_cast<TLabelAppear&>(Core.BehaviorOptions()); }
  void At(std::uint64_t ms) { Clock.AdvanceTo(ms); }
  std::int32_t Left() const { return Label.BoundsValue.Left; }
  std::int32_t Width() const { return Label.BoundsValue.Width; }

  TFakeClock Clock;
  TFakeLabel Label{Clock};
  TBehaviorLabelCore Core;
};

TEST(AppearRun, WorkedExampleTickByTick) {
  TAppearRun r;
  r.Appear().SetPixels(4);
  r.Appear().SetActive(true);
  EXPECT_EQ(r.Label.Starts, 1);

  r.At(99);
  EXPECT_FALSE(r.Label.VisibleValue);
  EXPECT_EQ(r.Left(), 4);

  for (int n = 1; n <= 39; ++n) {
    const std::uint64_t time = 100 + 20 * static_cast<std::uint64_t>(n - 1);
    r.At(time);
    SCOPED_TRACE(n);
    EXPECT_TRUE(r.Label.VisibleValue);
    EXPECT_EQ(r.Left(), 162 - 4 * n);
    EXPECT_EQ(r.Width(), n <= 35 ? 4 * n - 2 : 142);
    if (n <= 35) {
      EXPECT_EQ(r.Left() + r.Width(), 160);  // right edge 2 inside the container
    }
    r.At(time + 19);
    EXPECT_EQ(r.Left(), 162 - 4 * n);
  }
  EXPECT_EQ(r.Label.Stops, 0);
  r.At(880);
  EXPECT_EQ(r.Label.Stops, 1);
  EXPECT_EQ(r.Left(), 4);
  EXPECT_EQ(r.Width(), 142);
  EXPECT_EQ(r.Label.BoundsValue.Top, 0);
  EXPECT_EQ(r.Label.BoundsValue.Height, 20);
  EXPECT_FALSE(r.Appear().Active());
  EXPECT_EQ(r.Clock.LiveTimers(), 0);
}

TEST(AppearRun, ExactMultipleReachesThePlaceOneTickBeforeTheEnd) {
  TAppearRun r;
  r.Label.Parent = TClientSize{10, 10};
  r.Label.BoundsValue = {2, 0, 3, 3};
  r.Appear().SetPixels(4);
  r.Appear().SetActive(true);
  r.At(100);
  EXPECT_EQ(r.Left(), 6);
  r.At(120);
  EXPECT_EQ(r.Left(), 2);
  EXPECT_TRUE(r.Appear().Active());
  r.At(140);
  EXPECT_FALSE(r.Appear().Active());
  EXPECT_EQ(r.Label.Stops, 1);
}

TEST(AppearRun, LaterMovesAndRepeatedSwitchingOnChangeNothing) {
  TAppearRun r;
  r.Appear().SetPixels(4);
  r.Appear().SetActive(true);
  r.Label.BoundsValue.Left = 30;  // the box re-centres the label right after starting it
  r.At(100);
  EXPECT_EQ(r.Left(), 158);
  r.Appear().SetActive(true);
  EXPECT_EQ(r.Label.Starts, 1);
  r.At(120);
  EXPECT_EQ(r.Left(), 154);
  r.At(2000);
  EXPECT_EQ(r.Left(), 4);
}

TEST(AppearRun, InsideOnStopActiveStillReadsOnAndCannotBeRestarted) {
  TAppearRun r;
  r.Appear().SetPixels(200);
  std::vector<bool> seen;
  r.Label.OnStop = [&] {
    seen.push_back(r.Appear().Active());
    r.Appear().SetActive(true);
  };
  r.Appear().SetActive(true);
  r.At(100);
  EXPECT_EQ(seen, std::vector<bool>{true});
  EXPECT_FALSE(r.Appear().Active());
  EXPECT_EQ(r.Label.Starts, 1);
  EXPECT_EQ(r.Clock.LiveTimers(), 0);
}

TEST(AppearRun, SwitchingOffBeforeTheFirstTickKeepsTheLabelHidden) {
  TAppearRun r;
  r.Appear().SetActive(true);
  r.Label.BoundsValue.Left = 50;
  r.At(50);
  r.Appear().SetActive(false);
  EXPECT_FALSE(r.Label.VisibleValue);
  EXPECT_EQ(r.Left(), 4);
  EXPECT_EQ(r.Label.Stops, 1);
  r.At(1000);
  EXPECT_FALSE(r.Label.VisibleValue);
}

TEST(AppearRun, DelayOrIntervalChangeRestartsSilentlyFromTheEntryPlace) {
  TAppearRun r;
  r.Appear().SetPixels(4);
  r.Appear().SetActive(true);
  r.At(140);
  EXPECT_EQ(r.Left(), 150);
  r.Appear().SetDelay(300);  // bounds back, captured again, first tick after the new delay
  EXPECT_EQ(r.Left(), 4);
  EXPECT_TRUE(r.Appear().Active());
  r.At(439);
  EXPECT_EQ(r.Left(), 4);
  r.At(440);
  EXPECT_EQ(r.Left(), 158);
  r.Appear().SetInterval(50);
  r.At(440 + 300);
  EXPECT_EQ(r.Left(), 158);
  r.At(440 + 300 + 50);
  EXPECT_EQ(r.Left(), 154);
  EXPECT_EQ(r.Label.Starts, 1);
  EXPECT_EQ(r.Label.Stops, 0);
  r.Appear().SetInterval(50);  // the same value: no restart
  EXPECT_EQ(r.Left(), 154);
}

TEST(AppearRun, PixelsAndDirectionChangesActFromTheNextTick) {
  TAppearRun r;
  r.Appear().SetPixels(4);
  r.Appear().SetActive(true);
  r.At(100);
  r.Appear().SetPixels(10);
  r.At(120);
  EXPECT_EQ(r.Left(), 148);
  r.Appear().SetAppearFrom(drFromLeft);
  r.At(140);
  EXPECT_EQ(r.Left(), 158);
}

TEST(AppearRun, PixelsZeroOrLessNeverEndsUntilSwitchedOff) {
  // Found by fuzzing: a negative step slid the label away until its place overflowed.
  for (const std::int32_t pixels : {0, -5, std::numeric_limits<std::int32_t>::min()}) {
    SCOPED_TRACE(pixels);
    TAppearRun r;
    r.Appear().SetPixels(pixels);
    r.Appear().SetActive(true);
    r.At(10000);
    EXPECT_TRUE(r.Appear().Active());
    EXPECT_EQ(r.Left(), 162);
    r.Appear().SetActive(false);
    EXPECT_EQ(r.Left(), 4);
    EXPECT_EQ(r.Label.Stops, 1);
  }
}

TEST(AppearRun, DelayZeroNeverFiresAndIntervalZeroStopsAfterTheFirstTick) {
  TAppearRun idle;
  idle.Appear().SetDelay(0);
  idle.Appear().SetActive(true);
  idle.At(10000);
  EXPECT_FALSE(idle.Label.VisibleValue);
  EXPECT_TRUE(idle.Appear().Active());

  TAppearRun once;
  once.Appear().SetInterval(0);
  once.Appear().SetActive(true);
  once.At(10000);
  EXPECT_TRUE(once.Label.VisibleValue);
  EXPECT_EQ(once.Left(), 159);
  EXPECT_TRUE(once.Appear().Active());
}

TEST(AppearRun, FromLeftAndTopEnterWithTheirFullSize) {
  TAppearRun left;
  left.Appear().SetAppearFrom(drFromLeft);
  left.Appear().SetPixels(50);
  left.Appear().SetActive(true);
  left.At(100);
  EXPECT_EQ(left.Left(), -142 + 50);
  EXPECT_EQ(left.Width(), 142);
  left.At(1000);
  EXPECT_EQ(left.Left(), 4);
  EXPECT_EQ(left.Label.Stops, 1);

  TAppearRun top;
  top.Label.BoundsValue = {4, 30, 142, 20};
  top.Appear().SetAppearFrom(drFromTop);
  top.Appear().SetPixels(8);
  top.Appear().SetActive(true);
  top.At(100);
  EXPECT_EQ(top.Label.BoundsValue.Top, -20 + 8);
  EXPECT_EQ(top.Label.BoundsValue.Height, 20);
  top.At(1000);
  EXPECT_EQ(top.Label.BoundsValue.Top, 30);
}

TEST(AppearRun, FromBottomFollowsTheHeight) {
  TAppearRun r;
  r.Label.BoundsValue = {4, 10, 142, 20};
  r.Appear().SetAppearFrom(drFromBottom);
  r.Appear().SetPixels(4);
  r.Appear().SetActive(true);
  r.At(100);
  EXPECT_EQ(r.Label.BoundsValue.Top, 57);
  EXPECT_EQ(r.Label.BoundsValue.Height, 2);
  r.At(1000);
  EXPECT_EQ(r.Label.BoundsValue.Top, 10);
  EXPECT_EQ(r.Label.BoundsValue.Height, 20);
}

TEST(AppearRun, HidingDuringTheRunOnlyLastsAfterTheFirstTick) {
  TAppearRun r;
  r.Appear().SetPixels(4);
  r.Appear().SetActive(true);
  r.At(100);
  r.Label.VisibleValue = false;
  r.At(200);
  EXPECT_FALSE(r.Label.VisibleValue);
  r.At(2000);
  EXPECT_FALSE(r.Label.VisibleValue);
  EXPECT_EQ(r.Label.Stops, 1);
}

TEST(AppearRun, WithoutAContainerStartFailsAndLeavesActiveOn) {
  TAppearRun r;
  r.Appear().SetPixels(4);
  r.Appear().SetActive(true);
  r.At(2000);  // a successful run captures Left 4
  r.Label.Parent.reset();
  r.Label.BoundsValue.Left = 70;
  try {
    r.Appear().SetActive(true);
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"OwnerLabel.Parent is nil in TLabelAppear.Start");
  }
  EXPECT_TRUE(r.Appear().Active());
  EXPECT_EQ(r.Clock.RunningTimers(), 0);
  r.Appear().SetActive(false);
  EXPECT_EQ(r.Label.Stops, 2);
  EXPECT_EQ(r.Left(), 4);
}

TEST(AppearRun, FailingOnStopLeavesActiveOnWithTheTimerReleased) {
  TAppearRun r;
  r.Appear().SetPixels(500);
  r.Label.OnStop = [] { throw Exception(L"handler failed"); };
  r.Appear().SetActive(true);
  EXPECT_THROW(r.At(100), Exception);
  EXPECT_TRUE(r.Appear().Active());
  EXPECT_EQ(r.Clock.LiveTimers(), 0);
}

TEST(AppearRun, NothingStartsWhileLoadingAndTheStoredRunStartsAfterwards) {
  TAppearRun r;
  r.Label.LoadingValue = true;
  EXPECT_TRUE(r.Core.SetBehaviorOption(L"Active", Ident(L"true")));
  EXPECT_EQ(r.Label.Starts, 0);
  EXPECT_EQ(r.Clock.LiveTimers(), 0);
  r.Label.LoadingValue = false;
  r.Core.Loaded();
  EXPECT_EQ(r.Label.Starts, 1);
  r.At(100);
  EXPECT_TRUE(r.Label.VisibleValue);
}

TEST(AppearRun, ReleasingTheBehaviourStopsItSilently) {
  TAppearRun r;
  r.Appear().SetActive(true);
  r.At(100);
  r.Core.SetBehavior(L"appearing");
  EXPECT_EQ(r.Core.Behavior(), L"appearing");
  EXPECT_EQ(r.Label.Stops, 0);
  EXPECT_EQ(r.Left(), 4);
  EXPECT_EQ(r.Clock.LiveTimers(), 0);
  EXPECT_FALSE(r.Appear().Active());
  EXPECT_EQ(r.Appear().Pixels(), 3);
}

}  // namespace
