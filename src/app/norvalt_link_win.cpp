#include "app/norvalt_link.h"

#include "app/batch_run.h"
#include "automation/norvalt_tlb.h"

bool TNorvaltLink::Link() {
  try {
    FServer = MakeNorvaltServer(nullptr);
  } catch (...) {
    return false;
  }
  FState = TState::Linked;
  return true;
}

std::wstring TNorvaltLink::WorkFolder() const { return TNorvalt(FServer.Object).GetFolder(-2); }

INorvaltx* TNorvaltLink::LendForRun() const { return FState == TState::Linked ? FServer.Object.Get() : nullptr; }

void TNorvaltLink::Replace(TNorvaltServer server, bool givenUp) {
  if (FState == TState::Unanswered) leave_unreleased();
  FServer = std::move(server);
  FState = givenUp ? TState::Unanswered : TState::Linked;
}

void TNorvaltLink::RunFailed(const std::exception_ptr& error) {
  if (FState == TState::Unanswered) return;
  FState = IsServerGone(error) ? TState::Gone : TState::Linked;
}

void TNorvaltLink::leave_unreleased() { FServer.Object.Detach(); }
