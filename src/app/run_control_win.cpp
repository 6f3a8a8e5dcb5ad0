#include "app/run_control.h"

#include "app/run_lock.h"
#include "app/run_thread.h"
#include "base/file_names.h"

namespace {

// How long one Norvalt call may go unanswered before the window says so and Stop stops
// without waiting for it.
constexpr unsigned long long kUnansweredMs = 30000;

}  // namespace

TRunControl::TRunControl(TNorvaltLink& norvalt, IBatchWindow& batchWindow, IRunWindow& window, IUserChannel& user)
    : FNorvalt(norvalt), FBatchWindow(batchWindow), FWindow(window), FUser(user) {
  FWatch.SetInterval(1000);
  FWatch.SetOnTimer([this] { watch(); });
}

TRunControl::~TRunControl() = default;

bool TRunControl::Start(bool continueAfterErrors) {
  std::optional<TRunPlan> plan = PlanRun(*FBatchWindow);
  if (!plan) return false;
  plan->ContinueAfterErrors = continueAfterErrors;
  auto display = std::make_unique<TRunDisplay>(*FBatchWindow, static_cast<int>(plan->Files.size()));
  if (!FNorvalt->Linked()) {
    display->NotLinked();
    return false;
  }
  TSessionLock lock = TakeRunLock(*FUser);
  if (!lock.Held()) {
    FUser->ExitWith(ecAnotherRun);
    return false;
  }
  FFiles = {plan->Files, plan->Entries};
  TRunEvents events;
  events.FileStarting = [this](int index) { file_starting(index); };
  events.NewServer = [this](Microsoft::WRL::ComPtr<INorvaltx> server) { FNorvalt->Replace(std::move(server)); };
  events.Ended = [this](const TRunEnd& end) { conclude(end); };
  FRun = std::make_unique<TRunThread>(std::move(*plan), FNorvalt->LendForRun(), std::move(events));
  FLock = std::move(lock);
  FDisplay = std::move(display);
  FStopRequested = false;
  FWindow->ShowRunning(true);
  FWatch.SetEnabled(true);
  FWindow->RunsChanged();
  return true;
}

void TRunControl::file_starting(int index) {
  FDisplay->FileStarting(index);
  if (!FStopRequested)
    FWindow->ShowStatus(L"Treating " + FileNameOf(FFiles.Paths[static_cast<std::size_t>(index)]) + L" (" +
                        std::to_wstring(index + 1) + L" of " + std::to_wstring(FFiles.Paths.size()) + L")");
}

void TRunControl::Stop() {
  if (!FRun) return;
  if (FRun->PendingCallMs() >= kUnansweredMs) {
    give_up();
    return;
  }
  FRun->RequestStop();
  FStopRequested = true;
  FWindow->ShowStatus(L"Stopping after the current file\u2026");
}

void TRunControl::watch() {
  if (!FRun) return;
  const unsigned long long waited = FRun->PendingCallMs();
  if (waited < kUnansweredMs) return;
  // A program that is to close does not wait for a Norvalt that does not answer.
  if (FAfterRun != TAfterRun::Nothing) {
    give_up();
    return;
  }
  FWindow->ShowStatus(WaitingText(static_cast<unsigned>(waited / 1000)));
}

void TRunControl::give_up() {
  TRunEnd end;
  end.GivenUp = true;
  end.LastFile = FRun->FileIndex();
  FRun->Abandon();
  FNorvalt->MarkUnanswered();
  FGivenUp.push_back(std::move(FRun));
  conclude(end);
}

void TRunControl::finish() {
  FRun.reset();
  // The lock goes with the run, a run given up included: its worker may still finish the
  // file it waits on once Norvalt answers, and a run started meanwhile can meet those calls.
  FLock = TSessionLock();
  FWatch.SetEnabled(false);
  FWindow->ShowRunning(false);
}

void TRunControl::conclude(const TRunEnd& end) {
  finish();
  const std::unique_ptr<TRunDisplay> display = std::move(FDisplay);
  const TAfterRun after = std::exchange(FAfterRun, TAfterRun::Nothing);
  // A worker given up may still be writing its run's record: Undo is not offered it yet.
  if (!end.GivenUp) FWindow->RunsChanged();
  if (end.Error) FNorvalt->RunFailed(end.Error);
  FUser->ExitWith(ShowRunEnd(end, after, FFiles, *display, *FBatchWindow));
  FWindow->CloseAfterRun(after);
}

bool TRunControl::ConfirmClose(TAfterRun how) {
  if (FAfterRun != TAfterRun::Nothing) return false;  // already closing once the run stops
  // Closing the window of an unattended run stops it: nobody is asked.
  if (!FUser->Ask(L"Velbrook", L"A run is in progress. Stop it after the current file and close Velbrook?"))
    return false;
  // The run may have ended while the question was open.
  if (!FRun) return true;
  FAfterRun = how;
  Stop();
  return false;
}

void TRunControl::StopForSessionEnd() {
  FAfterRun = TAfterRun::EndSession;
  Stop();
}
