#pragma once
// Undo carried out on a thread of its own, so that the window answers however many files
// it puts back. What it tells reaches the UI thread as posted calls.
#include <functional>
#include <memory>
#include <thread>

#include "app/undo_run.h"

// What the worker tells, each on the UI thread.
struct TUndoEvents {
  // Files done of total; a fast Undo tells of some files only, and always of the last.
  std::function<void(int done, int total)> Progress;
  // The Undo is over, its record written (or the reason it could not be, in the outcome).
  std::function<void(const TUndoOutcome& outcome)> Ended;
};

class TUndoWorker {
 public:
  // Starts undoing run; call on the UI thread.
  TUndoWorker(TUndoableRun run, TUndoEvents events, IRunStore& store = DiskRunStore());
  // Stops after the file under way and waits for that; nothing more reaches the events.
  ~TUndoWorker();
  TUndoWorker(const TUndoWorker&) = delete;
  TUndoWorker& operator=(const TUndoWorker&) = delete;

  // Ends the Undo after the file under way; Ended tells how far it came.
  void RequestStop();

  struct TShared;

 private:
  std::shared_ptr<TShared> FShared;
  std::thread FThread;  // last: it starts once the rest is ready
};
