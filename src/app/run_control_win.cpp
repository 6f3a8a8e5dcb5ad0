#include "app/run_control.h"

#include "app/norvalt_box.h"
#include "app/run_lock.h"
#include "app/run_thread.h"
#include "app/time_left.h"
#include "base/file_names.h"
#include "platform/dialog_boxes.h"

namespace {

// How long one Norvalt call may go unanswered before the window says so and Stop stops
// without waiting for it.
constexpr unsigned long long kUnansweredMs = 30000;
// How long a call waits before Velbrook looks for a box that Norvalt may be showing.
constexpr unsigned long long kBoxLookMs = 5000;
constexpr wchar_t kStoppingText[] = L"Stopping after the current file\u2026";

}  // namespace

TRunControl::TRunControl(TNorvaltLink& norvalt, IBatchWindow& batchWindow, IRunWindow& window, IUserChannel& user)
    : FNorvalt(norvalt), FBatchWindow(batchWindow), FWindow(window), FUser(user) {
  FWatch.SetInterval(1000);
  FWatch.SetOnTimer([this] { watch(); });
}

TRunControl::~TRunControl() = default;

bool TRunControl::Start(bool continueAfterErrors, const TTimeLimit& limit) {
  std::optional<TRunPlan> plan = PlanRun(*FBatchWindow);
  if (!plan) return false;
  plan->ContinueAfterErrors = continueAfterErrors;
  auto display = std::make_unique<TRunDisplay>(*FBatchWindow, static_cast<int>(plan->Files.size()));
  if (!FNorvalt->Linked()) {
    display->NotLinked();
    return false;
  }
  release_ended_runs();
  if (!FGivenUp.empty()) {
    // Norvalt works on the file it opened last: no run starts while a call of the last one
    // may still come back.
    FUser->Tell(L"Velbrook", L"The last run is still waiting for Norvalt.");
    FUser->ExitWith(ecAnotherRun);
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
  events.NewServer = [this](TNorvaltServer server, bool givenUp) { FNorvalt->Replace(std::move(server), givenUp); };
  events.Ended = [this](const TRunEnd& end) { conclude(end); };
  FRun = std::make_unique<TRunThread>(std::move(*plan), FNorvalt->LendForRun(), FNorvalt->Process(), std::move(events));
  FLock = std::move(lock);
  FDisplay = std::move(display);
  FLimit = limit;
  FStartedAt = std::chrono::steady_clock::now();
  FFileStatus.clear();
  FStatusFile = -1;
  FCutOffFile = -1;
  FStopRequested = false;
  FWindow->ShowRunning(true);
  FShownStatus.clear();
  FWatch.SetEnabled(true);
  FWindow->RunsChanged();
  return true;
}

void TRunControl::file_starting(int index) {
  FStatusFile = index;
  FDisplay->FileStarting(index);
  const auto spent =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - FStartedAt);
  const int count = static_cast<int>(FFiles.Paths.size());
  FFileStatus = WithTimeLeft(L"Treating " + FileNameOf(FFiles.Paths[static_cast<std::size_t>(index)]) + L" (" +
                                 std::to_wstring(index + 1) + L" of " + std::to_wstring(count) + L")",
                             EstimateTimeLeft(index, count, spent));
  show_status(resting_status());
}

std::wstring TRunControl::resting_status() const { return FStopRequested ? kStoppingText : FFileStatus; }

void TRunControl::show_status(const std::wstring& text) {
  if (text == FShownStatus) return;
  FShownStatus = text;
  FWindow->ShowStatus(text);
}

void TRunControl::Stop() {
  if (!FRun) return;
  if (FRun->PendingCallMs() >= kUnansweredMs) {
    give_up();
    return;
  }
  FRun->RequestStop();
  FStopRequested = true;
  show_status(resting_status());
}

void TRunControl::watch() {
  release_ended_runs();
  if (!FRun) return;
  // A fast run posts the start of some files only: the file under way is shown by now.
  if (const int index = FRun->FileIndex(); index > FStatusFile) file_starting(index);
  if (!FLimit.None() && FRun->FileIndex() != FCutOffFile &&
      FRun->FileMs() >= static_cast<unsigned long long>(FLimit.Seconds()) * 1000) {
    cut_off();
    return;
  }
  const unsigned long long waited = FRun->PendingCallMs();
  // A program that is to close does not wait for a Norvalt that does not answer.
  if (waited >= kUnansweredMs && FAfterRun != TAfterRun::Nothing) {
    give_up();
    return;
  }
  const std::wstring waiting = waiting_status(waited);
  show_status(waiting.empty() ? resting_status() : waiting);
}

std::wstring TRunControl::waiting_status(unsigned long long waited) {
  if (waited < kBoxLookMs) return {};
  const std::shared_ptr<TServerProcess> process = FRun->ServerProcess();
  const std::vector<TDialogBox> boxes =
      process && process->Known() ? DialogBoxesOf(process->Id()) : std::vector<TDialogBox>();
  const std::wstring box = boxes.empty() ? std::wstring() : BoxNotice(boxes.front().Caption, boxes.front().Text);
  // A failure of the call names the box; a box closed meanwhile is named no more.
  FRun->NoteBox(box);
  if (!box.empty()) return box;
  if (waited < kUnansweredMs) return {};
  std::optional<long long> limitEndsIn;
  if (!FLimit.None()) limitEndsIn = FLimit.Seconds() - static_cast<long long>(FRun->FileMs() / 1000);
  return WaitingText(static_cast<unsigned>(waited / 1000), limitEndsIn);
}

void TRunControl::cut_off() {
  const std::shared_ptr<TServerProcess> process = FRun->ServerProcess();
  if (!process || !process->Ours()) {
    give_up(FLimit);
    return;
  }
  FCutOffFile = FRun->FileIndex();
  // The call fails once Norvalt's process has gone; the worker then records the file as cut
  // off, puts it back and, after errors, goes on with a new Norvalt.
  FRun->CutOff(CutOffText(FLimit));
  process->End();
}

void TRunControl::give_up(std::optional<TTimeLimit> limitPassed) {
  TRunEnd end;
  end.GivenUp = true;
  end.LimitPassed = std::move(limitPassed);
  end.LastFile = FRun->FileIndex();
  end.Treated = FRun->TreatedSoFar();
  end.Failed = FRun->FailedSoFar() + 1;
  end.RunFolder = FRun->RunFolder();
  FRun->Abandon();
  FNorvalt->MarkUnanswered();
  FGivenUp.push_back({std::move(FRun), std::move(FLock)});
  conclude(end);
}

void TRunControl::release_ended_runs() {
  std::erase_if(FGivenUp, [](const TGivenUpRun& run) { return run.Worker->HasEnded(); });
  if (!FRun && FGivenUp.empty()) FWatch.SetEnabled(false);
}

void TRunControl::finish() {
  FRun.reset();
  FLock = TSessionLock();
  // A worker given up is watched on until it has ended and lets go of the run lock.
  FWatch.SetEnabled(!FGivenUp.empty());
  FWindow->ShowRunning(false);
}

void TRunControl::conclude(const TRunEnd& end) {
  finish();
  const std::unique_ptr<TRunDisplay> display = std::move(FDisplay);
  const TAfterRun after = std::exchange(FAfterRun, TAfterRun::Nothing);
  // A worker given up may still be writing its run's record: Undo is not offered it yet.
  if (!end.GivenUp) FWindow->RunsChanged();
  if (end.Error) FNorvalt->RunFailed(end.Error);
  FUser->Account(end.Treated, end.Failed, end.RunFolder);
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
