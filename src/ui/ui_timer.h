#pragma once
// The SetTimer-based UI timer. Ticks run through RunGuarded on the UI thread (in every
// message loop that dispatches, modal ones included) and never overlap. Destroying a
// timer inside its own tick is safe: its state lives on until the tick has returned.
#include <memory>

#include "ui/timer.h"

class TUITimer : public ITimer {
 public:
  TUITimer();
  ~TUITimer() override;
  TUITimer(const TUITimer&) = delete;
  TUITimer& operator=(const TUITimer&) = delete;

  std::uint32_t Interval() const override;
  void SetInterval(std::uint32_t interval) override;
  bool Enabled() const override;
  void SetEnabled(bool enabled) override;
  void SetOnTimer(std::function<void()> handler) override;

  struct TState;

 private:
  std::shared_ptr<TState> FState;
};

class TUITimerFactory : public ITimerFactory {
 public:
  std::unique_ptr<ITimer> CreateTimer() override;
};

// The factory that the program's controls use.
ITimerFactory& UITimers();
