#include <gtest/gtest.h>

#include <memory>

#include "pump.h"
#include "ui/ui_timer.h"

namespace {

TEST(UITimer, TicksOnTheUIThreadOnceEnabledWithAPeriod) {
  TWatchdog dog(20000);
  const DWORD uiThread = ::GetCurrentThreadId();
  auto timer = UITimers().CreateTimer();
  int ticks = 0;
  timer->SetOnTimer([&] {
    EXPECT_EQ(::GetCurrentThreadId(), uiThread);
    ++ticks;
  });
  timer->SetInterval(10);
  EXPECT_FALSE(timer->Enabled());
  timer->SetEnabled(true);
  PumpUntil([&] { return ticks >= 3; });

  timer->SetInterval(0);  // a period of 0 stops it, enabled or not
  const int stopped = ticks;
  PumpFor(150);
  EXPECT_EQ(ticks, stopped);
  EXPECT_TRUE(timer->Enabled());
  timer->SetInterval(10);
  PumpUntil([&] { return ticks >= stopped + 2; });
}

TEST(UITimer, ReleasedFromInsideItsOwnTick) {
  TWatchdog dog(20000);
  std::unique_ptr<ITimer> timer = UITimers().CreateTimer();
  int ticks = 0;
  std::wstring capturedAfterRelease;
  const std::wstring text = L"still alive";
  timer->SetOnTimer([&, text] {
    ++ticks;
    timer.reset();
    capturedAfterRelease = text;  // the handler's own state outlives the release
  });
  timer->SetInterval(5);
  timer->SetEnabled(true);
  PumpUntil([&] { return !timer; });
  PumpFor(100);
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(capturedAfterRelease, L"still alive");
}

TEST(UITimer, HandlerMayReplaceItselfDuringItsTick) {
  TWatchdog dog(20000);
  auto timer = UITimers().CreateTimer();
  int first = 0, second = 0;
  timer->SetOnTimer([&] {
    ++first;
    timer->SetOnTimer([&] { ++second; });
  });
  timer->SetInterval(5);
  timer->SetEnabled(true);
  PumpUntil([&] { return second >= 2; });
  EXPECT_EQ(first, 1);
}

}  // namespace
