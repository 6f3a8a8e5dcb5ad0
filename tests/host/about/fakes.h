#pragma once
// Test doubles for the About box logic: a virtual clock that drives timers, a scripted
// random source, a label record and a worker that records what the starfield tells it.
#include <algorithm>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "about/behaviors/label_host.h"
#include "about/starfield_engine.h"
#include "ui/layout.h"

// Timers that fire only when the test advances the clock; like the real ones they may be
// destroyed inside their own tick.
class TFakeClock : public ITimerFactory {
 public:
  struct TState {
    std::uint32_t Interval = 1000;
    bool Enabled = false;
    bool Released = false;
    std::uint64_t Due = 0;
    std::function<void()> OnTimer;
    bool Running() const { return Enabled && Interval > 0 && !Released; }
  };

  class TTimer : public ITimer {
   public:
    TTimer(TFakeClock& clock, std::shared_ptr<TState> state) : FClock(clock), FState(std::move(state)) {}
    ~TTimer() override { FState->Released = true; }
    std::uint32_t Interval() const override { return FState->Interval; }
    void SetInterval(std::uint32_t interval) override {
      if (interval == FState->Interval) return;
      FState->Interval = interval;
      FState->Due = FClock.Now + interval;
    }
    bool Enabled() const override { return FState->Enabled; }
    void SetEnabled(bool enabled) override {
      if (enabled == FState->Enabled) return;
      FState->Enabled = enabled;
      FState->Due = FClock.Now + FState->Interval;
    }
    void SetOnTimer(std::function<void()> handler) override { FState->OnTimer = std::move(handler); }

   private:
    TFakeClock& FClock;
    std::shared_ptr<TState> FState;
  };

  std::unique_ptr<ITimer> CreateTimer() override {
    FTimers.push_back(std::make_shared<TState>());
    return std::make_unique<TTimer>(*this, FTimers.back());
  }

  // Moves the clock to time, firing every tick that falls due on the way, in order.
  void AdvanceTo(std::uint64_t time) {
    for (;;) {
      std::shared_ptr<TState> next;
      for (const auto& t : FTimers)
        if (t->Running() && t->Due <= time && (!next || t->Due < next->Due)) next = t;
      if (!next) break;
      Now = next->Due;
      next->Due = Now + next->Interval;
      const auto handler = next->OnTimer;
      if (handler) handler();
    }
    Now = time;
  }

  int LiveTimers() const {
    return static_cast<int>(std::count_if(FTimers.begin(), FTimers.end(), [](const auto& t) { return !t->Released; }));
  }
  int RunningTimers() const {
    return static_cast<int>(std::count_if(FTimers.begin(), FTimers.end(), [](const auto& t) { return t->Running(); }));
  }

  std::uint64_t Now = 0;

 private:
  std::vector<std::shared_ptr<TState>> FTimers;
};

// Hands out scripted numbers (each taken modulo the range), then zeros; logs every draw.
class TScriptedRandom : public IRandomSource {
 public:
  void Reseed() override { ++Reseeds; }
  std::uint32_t Next(std::uint32_t range) override {
    Ranges.push_back(range);
    std::uint32_t value = 0;
    if (!Script.empty()) {
      value = Script.front();
      Script.pop_front();
    }
    return range == 0 ? 0 : value % range;
  }

  std::deque<std::uint32_t> Script;
  std::vector<std::uint32_t> Ranges;
  int Reseeds = 0;
};

class TFakeLabel : public IBehaviorLabel {
 public:
  explicit TFakeLabel(TFakeClock& clock) : FClock(clock) {}

  TLabelBounds Bounds() const override { return BoundsValue; }
  void SetBounds(const TLabelBounds& bounds) override { BoundsValue = bounds; }
  bool Visible() const override { return VisibleValue; }
  void SetVisible(bool visible) override { VisibleValue = visible; }
  std::optional<TClientSize> ParentClientSize() const override { return Parent; }
  std::wstring Caption() const override { return CaptionValue; }
  void SetCaption(const std::wstring& caption) override { CaptionValue = caption; }
  std::wstring EffectText() const override { return EffectValue; }
  void SetEffectText(const std::wstring& text) override { EffectValue = text; }
  void SetUseEffectText(bool use) override { UseEffect = use; }
  std::int32_t TextWidth(const std::wstring& text) const override { return 5 * static_cast<std::int32_t>(text.size()); }
  void Repaint() override { ++Repaints; }
  bool Loading() const override { return LoadingValue; }
  bool Destroying() const override { return DestroyingValue; }
  void DoStart() override {
    ++Starts;
    if (OnStart) OnStart();
  }
  void DoStop() override {
    ++Stops;
    if (OnStop) OnStop();
  }
  ITimerFactory& Timers() override { return FClock; }
  IRandomSource& Random() override { return RandomValue; }

  TLabelBounds BoundsValue{0, 0, 10, 10};
  bool VisibleValue = true;
  std::optional<TClientSize> Parent = TClientSize{200, 100};
  std::wstring CaptionValue;
  std::wstring EffectValue;
  bool UseEffect = false;
  bool LoadingValue = false;
  bool DestroyingValue = false;
  int Repaints = 0;
  int Starts = 0;
  int Stops = 0;
  std::function<void()> OnStart;
  std::function<void()> OnStop;
  TScriptedRandom RandomValue;

 private:
  TFakeClock& FClock;
};

// Layout values as a stored layout would hold them.
inline TLayoutValue Num(std::int64_t n) {
  TLayoutValue v;
  v.Kind = TLayoutValue::TKind::Number;
  v.Number = n;
  return v;
}
inline TLayoutValue Ident(const std::wstring& text) {
  TLayoutValue v;
  v.Kind = TLayoutValue::TKind::Identifier;
  v.Text = text;
  return v;
}
inline TLayoutValue Str(const std::wstring& text) {
  TLayoutValue v;
  v.Text = text;
  return v;
}

class TFakeWorker : public IStarfieldWorker {
 public:
  void SetPaused(bool paused) override { PausedCalls.push_back(paused); }
  void SetDelay(std::uint32_t delay) override { Delay = delay; }
  std::vector<bool> PausedCalls;
  std::optional<std::uint32_t> Delay;
};
