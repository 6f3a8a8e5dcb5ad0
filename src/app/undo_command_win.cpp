#include "app/undo_command.h"

#include "app/run_lock.h"
#include "app/run_texts.h"
#include "app/undo_worker.h"
#include "dialogs/sys_menu_win.h"

TUndoCommand::TUndoCommand(TMenuItem& item, TSysPopupMenu& menu, IUserChannel& user, IRunWindow& window,
                           IBatchWindow& progress)
    : FItem(item), FMenu(menu), FUser(user), FWindow(window), FProgress(progress) {}

TUndoCommand::~TUndoCommand() = default;

void TUndoCommand::Refresh(bool runUnderWay) {
  FRun = runUnderWay || FWorker ? std::nullopt : FindUndoableRun();
  FItem->Enabled = FRun.has_value();
  FMenu->Refresh(*FItem);
}

void TUndoCommand::CarryOut() {
  if (!FRun || FWorker) return;
  TUndoableRun run = *FRun;
  const std::wstring question =
      UndoQuestion(UndoableCount(run.Record), run.Record.Started, UnknownOutcomesOf(run, DiskRunStore()));
  if (!FUser->Ask(L"Velbrook", question)) return;
  // Undo writes the files a run wrote: no run may be at them meanwhile.
  TSessionLock lock = TakeRunLock(*FUser);
  if (!lock.Held()) return;
  TUndoEvents events;
  events.Progress = [this](int done, int total) {
    FProgress->SetProgressMax(total);
    FProgress->SetProgressPosition(done);
  };
  events.Ended = [this](const TUndoOutcome& outcome) { ended(outcome); };
  FWorker = std::make_unique<TUndoWorker>(std::move(run), std::move(events));
  FLock = std::move(lock);
  FWindow->ShowRunning(true);
  Refresh(false);
}

void TUndoCommand::Stop() {
  if (FWorker) FWorker->RequestStop();
}

void TUndoCommand::ended(const TUndoOutcome& outcome) {
  FWorker.reset();
  FLock = TSessionLock();
  FWindow->ShowRunning(false);
  FProgress->SetProgressPosition(0);
  Refresh(false);
  FUser->Tell(L"Velbrook", UndoResultText(outcome));
}
