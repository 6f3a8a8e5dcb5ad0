#include "ui/ui_timer.h"

#include <windows.h>

#include <map>

#include "base/errors.h"
#include "ui/dispatcher.h"
#include "ui/message_window.h"

struct TUITimer::TState {
  UINT_PTR Id = 0;
  std::uint32_t Interval = 1000;
  bool Enabled = false;
  bool Running = false;
  bool InTick = false;
  std::function<void()> OnTimer;
};

namespace {

constexpr wchar_t TimerWindowClass[] = L"VelbrookUITimer";

// Timer ids to their states; a released timer is gone from here before its state is freed.
std::map<UINT_PTR, std::weak_ptr<TUITimer::TState>>& Timers() {
  static std::map<UINT_PTR, std::weak_ptr<TUITimer::TState>> timers;
  return timers;
}

void Tick(UINT_PTR id) {
  const auto found = Timers().find(id);
  if (found == Timers().end()) return;
  // Holding the state keeps the handler alive if the tick releases its own timer.
  const std::shared_ptr<TUITimer::TState> state = found->second.lock();
  if (!state || state->InTick || !state->OnTimer) return;
  // A copy, so that the handler may replace itself while it runs.
  const std::function<void()> handler = state->OnTimer;
  state->InTick = true;
  RunGuarded(handler);
  state->InTick = false;
}

LRESULT CALLBACK TimerWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER) {
    Tick(wParam);
    return 0;
  }
  return ::DefWindowProcW(wnd, msg, wParam, lParam);
}

HWND TimerWindow() {
  static const TWindowHandle window = CreateMessageWindow(TimerWindowClass, TimerWindowProc, L"timer");
  return window.Get();
}

UINT_PTR NextTimerId() {
  static UINT_PTR last = 0;
  return ++last;
}

void StopRunning(TUITimer::TState& state) {
  if (!state.Running) return;
  ::KillTimer(TimerWindow(), state.Id);
  state.Running = false;
}

// Brings the native timer in line with Enabled and Interval; (re)starting counts from now.
void Restart(TUITimer::TState& state) {
  StopRunning(state);
  if (!state.Enabled || state.Interval == 0) return;
  if (!::SetTimer(TimerWindow(), state.Id, state.Interval, nullptr))
    throw EOutOfResources(L"Not enough timers available");
  state.Running = true;
}

}  // namespace

TUITimer::TUITimer() : FState(std::make_shared<TState>()) {
  FState->Id = NextTimerId();
  Timers()[FState->Id] = FState;
}

TUITimer::~TUITimer() {
  StopRunning(*FState);
  Timers().erase(FState->Id);
}

std::uint32_t TUITimer::Interval() const { return FState->Interval; }

void TUITimer::SetInterval(std::uint32_t interval) {
  if (interval == FState->Interval) return;
  FState->Interval = interval;
  Restart(*FState);
}

bool TUITimer::Enabled() const { return FState->Enabled; }

void TUITimer::SetEnabled(bool enabled) {
  if (enabled == FState->Enabled) return;
  FState->Enabled = enabled;
  Restart(*FState);
}

void TUITimer::SetOnTimer(std::function<void()> handler) { FState->OnTimer = std::move(handler); }

std::unique_ptr<ITimer> TUITimerFactory::CreateTimer() { return std::make_unique<TUITimer>(); }

ITimerFactory& UITimers() {
  static TUITimerFactory factory;
  return factory;
}
