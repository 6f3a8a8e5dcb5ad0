#pragma once
// A periodic UI timer, as logic sees it; the Windows one lives in ui/ui_timer.h, tests
// inject their own. Ticks arrive on the UI thread, one at a time.
#include <cstdint>
#include <functional>
#include <memory>

class ITimer {
 public:
  virtual ~ITimer() = default;

  // Milliseconds between ticks; 0 means the timer does not run. Writing the value it has
  // changes nothing; a new period of an enabled timer counts from this moment.
  virtual std::uint32_t Interval() const = 0;
  virtual void SetInterval(std::uint32_t interval) = 0;

  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;

  // The tick handler. The timer may be destroyed from inside its own tick.
  virtual void SetOnTimer(std::function<void()> handler) = 0;
};

class ITimerFactory {
 public:
  virtual ~ITimerFactory() = default;
  // A new timer: disabled, period 1000 ms, no handler.
  virtual std::unique_ptr<ITimer> CreateTimer() = 0;
};
