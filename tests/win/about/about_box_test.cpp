#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "about/about_unit.h"
#include "identity/regtypes.h"
#include "ui/std_controls.h"
#include "win_test_support.h"

namespace {

struct TObserved {
  bool FirstBlockArrived = false;
  bool SecondBlockArrived = false;
  bool StarfieldRan = false;
  std::wstring FirstText, SecondText;
  int Panel1Left = 0, Panel1Width = 0, Label1Width = 0;
  int Panel2Left = 0, Panel2Width = 0, Label2Width = 0, Label2Left = 0;
};

// Watches the box from inside its modal loop until both blocks have arrived, then presses OK.
void WatchUntilBothBlocksArrive(TAboutBox& box, TObserved& seen) {
  auto poll = std::make_shared<std::function<void()>>();
  *poll = [&box, &seen, poll = std::weak_ptr(poll)] {
    auto running = [](TBehaviorLabel& l) { return l.BehaviorOptions().Active(); };
    seen.StarfieldRan = seen.StarfieldRan || box.Starfield1.Active();
    if (box.BehaviorLabel1.Visible() && !running(box.BehaviorLabel1) && !seen.FirstBlockArrived) {
      seen.FirstBlockArrived = true;
      seen.FirstText = box.BehaviorLabel1.Caption();
      seen.Panel1Left = box.Panel1.Left();
      seen.Panel1Width = box.Panel1.Width();
      seen.Label1Width = box.BehaviorLabel1.Width();
    }
    if (seen.FirstBlockArrived && box.BehaviorLabel2.Visible() && !running(box.BehaviorLabel2)) {
      seen.SecondBlockArrived = true;
      seen.SecondText = box.BehaviorLabel2.Caption();
      seen.Panel2Left = box.Panel2.Left();
      seen.Panel2Width = box.Panel2.Width();
      seen.Label2Width = box.BehaviorLabel2.Width();
      seen.Label2Left = box.BehaviorLabel2.Left();
      PostMessageW(box.BitBtn1.Handle(), BM_CLICK, 0, 0);
      return;
    }
    RunOnUiThreadLater(20, [next = poll.lock()] { (*next)(); });
  };
  RunOnUiThreadLater(20, [poll] { (*poll)(); });
}

class AboutBoxTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterStandardControls();
    RegisterAboutComponents();
  }
};

}  // namespace

TEST_F(AboutBoxTest, BothBlocksSlideInEachTimeTheBoxIsOpened) {
  TAboutBox box(nullptr);
  for (int showing = 1; showing <= 2; ++showing) {
    TObserved seen;
    WatchUntilBothBlocksArrive(box, seen);
    EXPECT_EQ(box.ShowModal(), 1) << showing;
    ASSERT_TRUE(seen.SecondBlockArrived) << showing;
    EXPECT_TRUE(seen.StarfieldRan);
    EXPECT_EQ(seen.FirstText, L"Velbrook\r\nBy Ombrel Software\r\n" + AppCopyright);
    EXPECT_EQ(seen.SecondText, L"Version 3.0.0.0\r\n" + std::wstring(MakerWebAddress));

    // The panels are placed around the labels' centred positions.
    EXPECT_EQ(seen.Panel1Width, seen.Label1Width + 20);
    EXPECT_EQ(seen.Panel1Left, 269 / 2 - seen.Label1Width / 2);
    EXPECT_EQ(seen.Panel2Width, seen.Label2Width + 25);
    EXPECT_EQ(seen.Panel2Left, 269 / 2 - seen.Label2Width / 2 - 10);
    EXPECT_EQ(seen.Label2Left, 8);

    // Closing pauses the starfield and hides both blocks; the box stays for next time.
    EXPECT_FALSE(box.Starfield1.Active());
    EXPECT_FALSE(box.BehaviorLabel1.Visible());
    EXPECT_FALSE(box.BehaviorLabel2.Visible());
  }
}

TEST_F(AboutBoxTest, ClosingFromTheTitleBarWhileTheFirstBlockRunsStillStartsTheSecond) {
  TAboutBox box(nullptr);
  RunOnUiThreadLater(150, [&box] { PostMessageW(box.Handle(), WM_CLOSE, 0, 0); });
  EXPECT_EQ(box.ShowModal(), 2);
  // The first run goes on in the hidden box and hands over to the second when it ends.
  EXPECT_TRUE(PumpUntil(
      [&box] { return box.BehaviorLabel2.BehaviorOptions().Active() || !box.BehaviorLabel2.Caption().empty(); }));
  EXPECT_NE(box.BehaviorLabel2.Caption().find(L"Version "), std::wstring::npos);
}
