#include "about/behaviors/behavior.h"

#include "base/errors.h"

namespace {

std::unique_ptr<TLabelBehavior> CreatePlain(IBehaviorLabel* label) { return std::make_unique<TLabelBehavior>(label); }

}  // namespace

const TBehaviorClassInfo TLabelBehavior::ClassInfo{L"TLabelBehavior", CreatePlain};

TLabelBehavior::TLabelBehavior(IBehaviorLabel* label, TBehaviorClass cls) : FLabel(label) {
  if (!label) throw Exception(std::wstring(L"Cannot call ") + cls->ClassName + L".Create with ALabel = nil");
}

void TLabelBehavior::SetActive(bool active) {
  if (active == FActive) return;
  const TBehaviorPtr alive = weak_from_this().lock();  // an event handler may drop this meanwhile
  if (FActive) Stop();
  FActive = active;
  if (active) Start();
}

bool TLabelBehavior::SetProperty(const std::wstring& name, const TLayoutValue& value) {
  if (name != L"Active") return false;
  SetActive(value.AsBool());
  return true;
}

void TLabelBehavior::Start() {
  if (!FTemporary) FLabel->DoStart();
}

void TLabelBehavior::Stop() {
  if (!FTemporary) FLabel->DoStop();
}

void TLabelBehavior::BeginOptionChange() {
  FTmpActive = FActive;
  FTemporary = true;
  SetActive(false);
}

void TLabelBehavior::EndOptionChange() {
  // Events come back on even when the restart fails.
  struct TEventsBack {
    bool& Temporary;
    ~TEventsBack() { Temporary = false; }
  } eventsBack{FTemporary};
  SetActive(FTmpActive);
}

void TLabelBehavior::StopSilently() noexcept {
  if (FDropped) return;
  FDropped = true;
  FTemporary = true;
  try {
    Stop();
  } catch (...) {
    // Going away quietly matters more than a failure to put the label back.
  }
}

void TBehaviorDeleter::operator()(TLabelBehavior* behavior) const noexcept {
  behavior->StopSilently();
  delete behavior;
}

TBehaviorPtr AdoptBehavior(std::unique_ptr<TLabelBehavior> behavior) {
  return TBehaviorPtr(behavior.release(), TBehaviorDeleter{});
}

TTimedLabelBehavior::TTimedLabelBehavior(IBehaviorLabel* label, TBehaviorClass cls, std::uint32_t interval)
    : TLabelBehavior(label, cls), FInterval(interval) {}

bool TTimedLabelBehavior::SetProperty(const std::wstring& name, const TLayoutValue& value) {
  if (name != L"Interval") return TLabelBehavior::SetProperty(name, value);
  SetInterval(static_cast<std::uint32_t>(value.AsInt()));
  return true;
}

void TTimedLabelBehavior::PrepareTimer(std::uint32_t period) {
  if (!FTimer) {
    FTimer = Label().Timers().CreateTimer();
    FTimer->SetOnTimer([this] {
      const TBehaviorPtr alive = weak_from_this().lock();  // an event handler may drop this meanwhile
      Tick();
    });
  }
  FTimer->SetInterval(period);
}

void TTimedLabelBehavior::EnableTimer() { FTimer->SetEnabled(true); }

void TTimedLabelBehavior::SetTimerPeriod(std::uint32_t period) {
  if (FTimer) FTimer->SetInterval(period);
}
