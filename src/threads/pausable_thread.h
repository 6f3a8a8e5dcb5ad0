#pragma once
// A worker that the UI thread can pause: while paused, the UI thread holds the pause gate
// and the worker blocks when it next passes it.
#include <mutex>

#include "threads/custom_thread.h"

class TPausableThread : public TCustomThread {
 public:
  ~TPausableThread() override;

  // Called on the UI thread only. Also starts a never-started thread once unpaused.
  bool Paused() const { return FPaused; }
  void SetPaused(bool paused);

 protected:
  // Lets a paused worker go (with the stop flag set) before the thread is waited for.
  void Shutdown() override;

  // The gate: taken by the UI thread for the whole pause, and by the worker once per round.
  std::mutex FPauseSection;

 private:
  bool FPaused = false;
};
