#include "app/undo_worker.h"

#include <atomic>
#include <chrono>

#include "app/run_history.h"
#include "ui/ui_thread_call.h"

struct TUndoWorker::TShared {
  TUndoableRun Run;
  TUndoEvents Events;
  IRunStore& Store;
  std::atomic<bool> StopRequested{false};
  // Written and read on the UI thread only: posted calls check it when they run.
  bool Alive = true;

  void Post(std::function<void(TShared&)> action, const std::shared_ptr<TShared>& self) {
    PostToUIThread([self, action = std::move(action)] {
      if (self->Alive) action(*self);
    });
  }
};

namespace {

// A progress bar needs no more than some twenty pictures a second.
constexpr auto kPostInterval = std::chrono::milliseconds(50);

void CarryOut(const std::shared_ptr<TUndoWorker::TShared>& shared) {
  auto lastPost = std::chrono::steady_clock::now() - kPostInterval;
  TUndoProgress progress;
  progress.StopRequested = [&] { return shared->StopRequested.load(); };
  progress.FileDone = [&](int done, int total) {
    const auto now = std::chrono::steady_clock::now();
    if (done < total && now - lastPost < kPostInterval) return;
    lastPost = now;
    shared->Post([done, total](TUndoWorker::TShared& s) { s.Events.Progress(done, total); }, shared);
  };
  TUndoOutcome outcome;
  try {
    outcome = UndoRecordedRun(shared->Run, shared->Store, progress);
  } catch (const std::exception& e) {
    // Only memory running out gets here; the files put back so far are not counted.
    outcome.RecordError = std::wstring(e.what(), e.what() + std::char_traits<char>::length(e.what()));
  }
  shared->Post(
      [outcome](TUndoWorker::TShared& s) {
        if (!outcome.Stopped && !outcome.RecordError.empty()) PassOverRun(s.Run.Folder);
        s.Events.Ended(outcome);
      },
      shared);
}

}  // namespace

TUndoWorker::TUndoWorker(TUndoableRun run, TUndoEvents events, IRunStore& store)
    : FShared(std::make_shared<TShared>(std::move(run), std::move(events), store)),
      FThread([shared = FShared] { CarryOut(shared); }) {}

TUndoWorker::~TUndoWorker() {
  RequestStop();
  FThread.join();
  FShared->Alive = false;  // what it posted last must not reach an owner that is gone
}

void TUndoWorker::RequestStop() { FShared->StopRequested = true; }
