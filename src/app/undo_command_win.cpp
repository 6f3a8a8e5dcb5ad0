#include "app/undo_command.h"

#include "app/run_lock.h"
#include "dialogs/sys_menu_win.h"

void TUndoCommand::Refresh(bool runUnderWay) {
  FRun = runUnderWay ? std::nullopt : FindUndoableRun();
  FItem->Enabled = FRun.has_value();
  FMenu->Refresh(*FItem);
}

void TUndoCommand::CarryOut() {
  if (!FRun) return;
  const TUndoableRun run = *FRun;
  if (!FUser->Ask(L"Velbrook", UndoQuestion(UndoableCount(run.Record), run.Record.Started))) return;
  // Undo writes the files a run wrote: no run may be at them meanwhile.
  const TSessionLock lock = TakeRunLock(*FUser);
  if (!lock.Held()) return;
  const TUndoOutcome outcome = UndoRun(run);
  Refresh(false);
  FUser->Tell(L"Velbrook", UndoResultText(outcome.PutBack, outcome.Skipped));
}
