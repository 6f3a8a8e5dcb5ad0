#include <gtest/gtest.h>

#include "about/behaviors/appear.h"
#include "about/behaviors/behavior_registry.h"
#include "about/behaviors/label_core.h"
#include "about/behaviors/other_behaviors.h"
#include "base/errors.h"
#include "fakes.h"

namespace {

struct TLabelUnderTest {
  TFakeClock Clock;
  TFakeLabel Label{Clock};
  TBehaviorLabelCore Core{Label};
};

TEST(BehaviorRegistry, HoldsTheEightNamesSortedWithoutRegardToCase) {
  TLabelUnderTest t;
  TBehaviorList list;
  ListBehaviorNames(&list);
  std::vector<std::wstring> names;
  for (const auto& entry : list) names.push_back(entry.first);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"(none)", L"Appearing", L"Blinking", L"Bouncing", L"CodeBreaker",
                                              L"Scrolling", L"Special", L"Typing"}));
  EXPECT_EQ(FindBehaviorClass(L"APPEARING"), &TLabelAppear::ClassInfo);
  EXPECT_EQ(FindBehaviorClass(L"codebreaker"), &TLabelCodeBreaker::ClassInfo);
  EXPECT_EQ(FindBehaviorClass(L"Sliding"), &TLabelBehavior::ClassInfo);
  EXPECT_EQ(FindBehaviorName(&TLabelTyping::ClassInfo), L"Typing");
  EXPECT_EQ(FindBehaviorName(&TLabelBehavior::ClassInfo), L"");
}

TEST(BehaviorRegistry, FirstRegistrationOfANameStaysAndNewNamesKeepTheOrder) {
  TLabelUnderTest t;
  // The registry is the process's: the new name goes again however the test ends.
  struct TNameRemover {
    ~TNameRemover() { RemoveBehaviorClass(L"fading"); }
  } remover;
  AddBehaviorClass(L"appearing", &TLabelNone::ClassInfo);
  EXPECT_EQ(FindBehaviorClass(L"Appearing"), &TLabelAppear::ClassInfo);
  AddBehaviorClass(L"Fading", &TLabelNone::ClassInfo);
  TBehaviorList list;
  ListBehaviorNames(&list);
  ASSERT_EQ(list.size(), 9u);
  EXPECT_EQ(list[5].first, L"Fading");
}

TEST(LabelBehavior, CreationWithoutALabelNamesTheClass) {
  try {
    TLabelAppear appear(nullptr);
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"Cannot call TLabelAppear.Create with ALabel = nil");
  }
  EXPECT_THROW(TLabelNone(nullptr), Exception);
}

TEST(LabelBehavior, NoneRaisesOnlyTheEvents) {
  TLabelUnderTest t;
  EXPECT_EQ(t.Core.Behavior(), L"(none)");
  t.Label.BoundsValue = {1, 2, 3, 4};
  t.Core.BehaviorOptions().SetActive(true);
  EXPECT_EQ(t.Label.Starts, 1);
  t.Core.BehaviorOptions().SetActive(false);
  EXPECT_EQ(t.Label.Stops, 1);
  EXPECT_EQ(t.Label.BoundsValue.Left, 1);
  EXPECT_EQ(t.Clock.LiveTimers(), 0);
}

TEST(LabelCore, BehaviorWriterTakesRegisteredNamesAsWritten) {
  TLabelUnderTest t;
  EXPECT_FALSE(t.Core.BehaviorStored());
  t.Core.SetBehavior(L"Appearing");
  EXPECT_TRUE(t.Core.BehaviorStored());
  auto& first = t.Core.BehaviorOptions();
  EXPECT_EQ(first.Class(), &TLabelAppear::ClassInfo);
  t.Core.SetBehavior(L"Appearing");
  EXPECT_EQ(&t.Core.BehaviorOptions(), &first);
  t.Core.SetBehavior(L"Sliding");
  EXPECT_EQ(t.Core.Behavior(), L"Appearing");
  EXPECT_EQ(&t.Core.BehaviorOptions(), &first);
}

TEST(LabelCore, OptionsWriterSwitchesClassWithoutCopyingValues) {
  TLabelUnderTest t;
  t.Core.SetBehavior(L"Appearing");
  TFakeLabel other(t.Clock);
  TLabelAppear sameClass(&other);
  sameClass.SetPixels(9);
  t.Core.SetBehaviorOptions(&sameClass);
  EXPECT_EQ(static_cast<TLabelAppear&>(t.Core.BehaviorOptions()).Pixels(), 3);

  TLabelTyping typing(&other);
  t.Core.SetBehaviorOptions(&typing);
  EXPECT_EQ(t.Core.Behavior(), L"Typing");
  EXPECT_EQ(t.Core.BehaviorOptions().Class(), &TLabelTyping::ClassInfo);

  t.Core.SetBehaviorOptions(nullptr);
  EXPECT_EQ(t.Core.Behavior(), L"Typing");
}

TEST(LabelCore, StoredOptionsAreReadByName) {
  TLabelUnderTest t;
  t.Core.SetBehavior(L"Appearing");
  EXPECT_TRUE(t.Core.SetBehaviorOption(L"Pixels", Num(4)));
  EXPECT_TRUE(t.Core.SetBehaviorOption(L"AppearFrom", Ident(L"drFromTop")));
  EXPECT_TRUE(t.Core.SetBehaviorOption(L"Interval", Num(30)));
  auto& appear = static_cast<TLabelAppear&>(t.Core.BehaviorOptions());
  EXPECT_EQ(appear.Pixels(), 4);
  EXPECT_EQ(appear.AppearFrom(), drFromTop);
  EXPECT_EQ(appear.Interval(), 30u);
  EXPECT_FALSE(t.Core.SetBehaviorOption(L"Speed", Num(1)));
  EXPECT_THROW(t.Core.SetBehaviorOption(L"Pixels", Str(L"4")), Exception);
  EXPECT_THROW(t.Core.SetBehaviorOption(L"AppearFrom", Ident(L"drFromNowhere")), Exception);
}

TEST(LabelCore, EffectTextRepaintsOnlyOnChangeAndOutsideLoading) {
  TLabelUnderTest t;
  t.Core.SetEffectText(L"fx");
  EXPECT_EQ(t.Core.DisplayText(L"caption"), L"caption");
  t.Core.SetUseEffectText(true);
  t.Core.SetUseEffectText(true);
  EXPECT_EQ(t.Label.Repaints, 1);
  EXPECT_EQ(t.Core.DisplayText(L"caption"), L"fx");
  t.Label.LoadingValue = true;
  t.Core.SetUseEffectText(false);
  EXPECT_EQ(t.Label.Repaints, 1);
}

TEST(LabelCore, DestructionStopsARunningBehaviourWithoutOnStop) {
  TFakeClock clock;
  TFakeLabel label(clock);
  {
    TBehaviorLabelCore core(label);
    core.SetBehavior(L"Appearing");
    core.BehaviorOptions().SetActive(true);
    EXPECT_EQ(clock.LiveTimers(), 1);
  }
  EXPECT_EQ(label.Stops, 0);
  EXPECT_EQ(clock.LiveTimers(), 0);
}

TEST(LabelCore, AnEventHandlerMayReplaceTheRunningBehaviour) {
  // From inside OnStop of a finishing run, and inside OnStart: the dropped behaviour
  // finishes its step on a live object and leaves nothing running.
  TLabelUnderTest t;
  t.Label.Parent = TClientSize{162, 61};
  t.Label.BoundsValue = {4, 0, 142, 20};
  t.Core.SetBehavior(L"Appearing");
  t.Label.OnStop = [&] { t.Core.SetBehavior(L"Blinking"); };
  t.Core.BehaviorOptions().SetActive(true);
  t.Clock.AdvanceTo(2000);
  EXPECT_EQ(t.Core.Behavior(), L"Blinking");
  EXPECT_EQ(t.Label.Stops, 1);
  EXPECT_EQ(t.Clock.LiveTimers(), 0);
  EXPECT_EQ(t.Label.BoundsValue.Left, 4);

  t.Label.OnStart = [&] { t.Core.SetBehavior(L"Appearing"); };
  t.Core.BehaviorOptions().SetActive(true);
  EXPECT_EQ(t.Core.Behavior(), L"Appearing");
  EXPECT_FALSE(t.Core.BehaviorOptions().Active());
  EXPECT_EQ(t.Clock.LiveTimers(), 0);
}

// The behaviours the program does not use: each does what its name promises and ends
// where it should.
TEST(OtherBehaviors, TypingSpecialAndCodeBreakerEndWithTheFinalText) {
  TLabelUnderTest typing;
  typing.Label.CaptionValue = L"Hi!";
  typing.Core.SetBehavior(L"Typing");
  typing.Core.BehaviorOptions().SetActive(true);
  typing.Clock.AdvanceTo(100);
  EXPECT_EQ(typing.Label.EffectValue, L"H");
  EXPECT_TRUE(typing.Label.UseEffect);
  typing.Clock.AdvanceTo(1000);
  EXPECT_FALSE(typing.Core.BehaviorOptions().Active());
  EXPECT_FALSE(typing.Label.UseEffect);
  EXPECT_EQ(typing.Label.Stops, 1);

  TLabelUnderTest special;
  special.Label.CaptionValue = L"!#";
  special.Core.SetBehavior(L"Special");
  special.Core.BehaviorOptions().SetActive(true);
  special.Clock.AdvanceTo(20);
  EXPECT_EQ(special.Label.EffectValue, L" ");
  special.Clock.AdvanceTo(40);
  EXPECT_EQ(special.Label.EffectValue, L"!");
  special.Clock.AdvanceTo(60);
  EXPECT_EQ(special.Label.EffectValue, L"! ");
  special.Clock.AdvanceTo(1000);
  EXPECT_FALSE(special.Core.BehaviorOptions().Active());
  EXPECT_EQ(special.Label.Stops, 1);

  TLabelUnderTest breaker;
  breaker.Label.CaptionValue = L"xyz";
  breaker.Core.SetBehavior(L"CodeBreaker");
  breaker.Core.SetBehaviorOption(L"DecodedText", Str(L"ab"));
  breaker.Label.RandomValue.Script = {5, 65, 66};  // '%', then 'a' and 'b'
  breaker.Core.BehaviorOptions().SetActive(true);
  breaker.Clock.AdvanceTo(20);
  EXPECT_EQ(breaker.Label.EffectValue, L"%y");
  breaker.Clock.AdvanceTo(1000);
  EXPECT_EQ(breaker.Label.CaptionValue, L"ab");
  EXPECT_FALSE(breaker.Core.BehaviorOptions().Active());

  // Found by fuzzing: a longer text set during a run was decoded past the work buffer.
  breaker.Core.SetBehaviorOption(L"DecodedText", Str(L"xy"));
  breaker.Core.BehaviorOptions().SetActive(true);
  breaker.Clock.AdvanceTo(1020);
  breaker.Core.SetBehaviorOption(L"DecodedText", Str(L"abcdef"));
  EXPECT_TRUE(breaker.Core.BehaviorOptions().Active());
  breaker.Label.RandomValue.Script = {67, 68, 69, 70};  // 'c' to 'f'; "ab" is the caption
  breaker.Clock.AdvanceTo(100000);
  EXPECT_EQ(breaker.Label.CaptionValue, L"abcdef");
}

TEST(OtherBehaviors, BlinkScrollAndBounceAnimateUntilSwitchedOff) {
  TLabelUnderTest blink;
  blink.Core.SetBehavior(L"Blinking");
  blink.Core.BehaviorOptions().SetActive(true);
  blink.Clock.AdvanceTo(100);
  EXPECT_TRUE(blink.Label.UseEffect);
  EXPECT_EQ(blink.Label.EffectValue, L"");
  blink.Clock.AdvanceTo(500);
  EXPECT_FALSE(blink.Label.UseEffect);
  blink.Core.BehaviorOptions().SetActive(false);
  EXPECT_EQ(blink.Clock.LiveTimers(), 0);

  TLabelUnderTest scroll;
  scroll.Label.CaptionValue = L"abc";
  scroll.Core.SetBehavior(L"Scrolling");
  scroll.Core.BehaviorOptions().SetActive(true);
  scroll.Clock.AdvanceTo(100);
  EXPECT_EQ(scroll.Label.EffectValue, L"bca");
  scroll.Core.SetBehaviorOption(L"Direction", Ident(L"sdLeftToRight"));
  scroll.Clock.AdvanceTo(200);
  EXPECT_EQ(scroll.Label.EffectValue, L"abc");
  scroll.Core.BehaviorOptions().SetActive(false);
  EXPECT_FALSE(scroll.Label.UseEffect);

  TLabelUnderTest bounce;
  bounce.Label.Parent = TClientSize{30, 20};
  bounce.Label.BoundsValue = {20, 5, 10, 10};
  bounce.Core.SetBehavior(L"Bouncing");
  bounce.Core.BehaviorOptions().SetActive(true);
  for (std::uint64_t time = 20; time <= 2000; time += 20) {
    bounce.Clock.AdvanceTo(time);
    const TLabelBounds& b = bounce.Label.BoundsValue;
    ASSERT_TRUE(b.Left >= 0 && b.Top >= 0 && b.Left + b.Width <= 30 && b.Top + b.Height <= 20) << time;
  }
  bounce.Core.BehaviorOptions().SetActive(false);
  EXPECT_EQ(bounce.Label.BoundsValue.Left, 20);
  EXPECT_EQ(bounce.Label.BoundsValue.Top, 5);

  // Found by fuzzing: the fit test overflowed; a step that cannot fit leaves the label be.
  bounce.Core.SetBehaviorOption(L"Pixels", Num(-2147483648LL));
  bounce.Core.BehaviorOptions().SetActive(true);
  bounce.Clock.AdvanceTo(3000);
  EXPECT_EQ(bounce.Label.BoundsValue.Left, 20);
}

}  // namespace
