#include "about/image_draw_thread.h"

#include "ui/ui_thread_call.h"

// The call is built once, so a frame request allocates nothing.
TImageDrawThread::TImageDrawThread() : FDrawCall([this] { Draw(); }) {}

TImageDrawThread::~TImageDrawThread() { Shutdown(); }

void TImageDrawThread::Draw() {
  if (!Terminated() && FOnDraw) FOnDraw(*this);
}

void TImageDrawThread::Execute() {
  NameThreadForDebugging(L"TImageDrawThread");
  try {
    while (!Terminated()) {
      SleepUnlessTerminated(FDelay);
      {
        // Blocks while the UI thread holds the gate (paused); never held across the call below.
        std::lock_guard<std::mutex> gate(FPauseSection);
        if (Terminated()) return;
      }
      CallOnUIThread(FDrawCall);
    }
  } catch (...) {
    // A failed frame ends the animation quietly; the picture stays on its last frame.
  }
}
