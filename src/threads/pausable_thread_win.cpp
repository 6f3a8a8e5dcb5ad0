#include "threads/pausable_thread.h"

TPausableThread::~TPausableThread() { TPausableThread::Shutdown(); }

void TPausableThread::SetPaused(bool paused) {
  if (paused != FPaused) {
    FPaused = paused;
    if (paused)
      FPauseSection.lock();
    else
      FPauseSection.unlock();
  }
  if (Suspended() && !FPaused) Resume();
}

void TPausableThread::Shutdown() {
  if (FPaused) {
    Terminate();
    SetPaused(false);
  }
  TCustomThread::Shutdown();
}
