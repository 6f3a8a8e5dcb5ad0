#include <gtest/gtest.h>

#include <memory>

#include "about/image_draw_thread.h"
#include "base/errors.h"
#include "pump.h"

namespace {

// A worker with a short delay whose frames are counted on the UI thread.
struct TCountedWorker {
  TCountedWorker() : Thread(std::make_unique<TImageDrawThread>()) {
    Thread->SetDelay(5);
    Thread->SetOnDraw([this](TImageDrawThread&) {
      EXPECT_EQ(::GetCurrentThreadId(), UIThread);
      ++Frames;
    });
  }
  void WaitForFrames(int count) {
    const int target = Frames + count;
    PumpUntil([&] { return Frames >= target; });
  }

  DWORD UIThread = ::GetCurrentThreadId();
  int Frames = 0;
  std::unique_ptr<TImageDrawThread> Thread;
};

TEST(ImageDrawThread, NeverStartedWorkerIsDestroyedWithoutHanging) {
  TWatchdog dog(20000);
  TCountedWorker w;
  EXPECT_TRUE(w.Thread->Suspended());
  w.Thread.reset();
  EXPECT_EQ(w.Frames, 0);
}

TEST(ImageDrawThread, PausingBeforeTheStartKeepsItUnstartedUntilUnpaused) {
  TWatchdog dog(20000);
  TCountedWorker w;
  w.Thread->SetPaused(true);
  EXPECT_TRUE(w.Thread->Suspended());
  w.Thread->SetPaused(false);
  EXPECT_FALSE(w.Thread->Suspended());
  w.WaitForFrames(3);
  w.Thread.reset();
}

TEST(ImageDrawThread, DestroyedWhilePausedWithoutEverRunning) {
  TWatchdog dog(20000);
  TCountedWorker w;
  w.Thread->SetPaused(true);
  w.Thread.reset();
  EXPECT_EQ(w.Frames, 0);
}

TEST(ImageDrawThread, RunsPausesResumesAndIsDestroyedInEachState) {
  TWatchdog dog(30000);
  TCountedWorker w;
  w.Thread->SetPaused(false);
  w.WaitForFrames(3);

  w.Thread->SetPaused(true);
  PumpFor(100);  // a request already handed over may still be drawn
  const int paused = w.Frames;
  PumpFor(200);
  EXPECT_EQ(w.Frames, paused);

  w.Thread->SetPaused(false);
  w.WaitForFrames(3);

  w.Thread->SetDelay(0);  // back to back, each frame still waiting for the last one
  w.WaitForFrames(10);
  w.Thread.reset();  // running
  const int atEnd = w.Frames;
  PumpFor(50);
  EXPECT_EQ(w.Frames, atEnd);

  TCountedWorker pausedWorker;
  pausedWorker.Thread->SetPaused(false);
  pausedWorker.WaitForFrames(2);
  pausedWorker.Thread->SetPaused(true);
  pausedWorker.Thread.reset();  // paused

  // A delay of 0xFFFFFFFF is the platform's "forever": the worker must still end when asked.
  TCountedWorker sleeper;
  sleeper.Thread->SetPaused(false);
  sleeper.WaitForFrames(1);
  sleeper.Thread->SetDelay(0xFFFFFFFF);
  PumpFor(100);
  sleeper.Thread.reset();  // sleeping
}

TEST(ImageDrawThread, AFailingFrameEndsTheWorkerQuietly) {
  TWatchdog dog(20000);
  TCountedWorker w;
  int calls = 0;
  w.Thread->SetOnDraw([&](TImageDrawThread&) {
    ++calls;
    throw Exception(L"no surface");
  });
  w.Thread->SetPaused(false);
  PumpUntil([&] { return w.Thread->Finished(); });
  EXPECT_EQ(calls, 1);
  w.Thread.reset();
}

}  // namespace
