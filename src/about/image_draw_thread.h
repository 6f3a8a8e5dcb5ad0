#pragma once
// The pacing worker of an animation: it sleeps Delay, passes the pause gate and has the UI
// thread draw one frame (OnDraw), waiting until that frame is done.
#include <atomic>
#include <cstdint>
#include <functional>

#include "threads/pausable_thread.h"

class TImageDrawThread : public TPausableThread {
 public:
  using TDrawEvent = std::function<void(TImageDrawThread& sender)>;

  TImageDrawThread();
  ~TImageDrawThread() override;

  std::uint32_t Delay() const { return FDelay; }
  void SetDelay(std::uint32_t delay) { FDelay = delay; }

  // Read and written on the UI thread only.
  void SetOnDraw(TDrawEvent handler) { FOnDraw = std::move(handler); }

  // Runs on the UI thread: one frame, unless the worker is stopping.
  void Draw();

 protected:
  void Execute() override;

 private:
  std::atomic<std::uint32_t> FDelay{0};
  TDrawEvent FOnDraw;
  const std::function<void()> FDrawCall;
};
