#include "app/norvalt_link.h"

#include "app/batch_run.h"
#include "automation/norvalt_tlb.h"

bool TNorvaltLink::Link() {
  try {
    FNorvalt = CoNorvaltx::Create();
  } catch (...) {
    return false;
  }
  FState = TState::Linked;
  return true;
}

std::wstring TNorvaltLink::WorkFolder() const { return TNorvalt(FNorvalt).GetFolder(-2); }

INorvaltx* TNorvaltLink::LendForRun() const { return FState == TState::Linked ? FNorvalt.Get() : nullptr; }

void TNorvaltLink::Replace(Microsoft::WRL::ComPtr<INorvaltx> server) {
  if (FState == TState::Unanswered) leave_unreleased();
  FNorvalt = std::move(server);
  FState = TState::Linked;
}

void TNorvaltLink::RunFailed(const std::exception_ptr& error) {
  if (FState == TState::Unanswered) return;
  FState = IsServerGone(error) ? TState::Gone : TState::Linked;
}

void TNorvaltLink::leave_unreleased() { FNorvalt.Detach(); }
