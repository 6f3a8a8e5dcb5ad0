#pragma once
// "Undo Last Run" in the system menu: the run it offers, whether it is available, and
// carrying it out on a worker of its own while the window locks its controls as for a run,
// counts the files put back on the progress bar, and lets Stop end it after a file.
#include <memory>
#include <optional>

#include "app/batch_run.h"
#include "app/run_control.h"
#include "app/run_history.h"
#include "app/session_lock.h"
#include "app/user_channel.h"
#include "base/borrowed.h"

class TMenuItem;
class TSysPopupMenu;
class TUndoWorker;

class TUndoCommand {
 public:
  // item is menu's; both show whether Undo is available.
  TUndoCommand(TMenuItem& item, TSysPopupMenu& menu, IUserChannel& user, IRunWindow& window, IBatchWindow& progress);
  ~TUndoCommand();
  TUndoCommand(const TUndoCommand&) = delete;
  TUndoCommand& operator=(const TUndoCommand&) = delete;

  // Offers the newest run that can be undone, unless a run is under way.
  void Refresh(bool runUnderWay);
  bool Running() const { return FWorker != nullptr; }
  // Asks, then starts putting back the files of the run offered; tells how that went once done.
  void CarryOut();
  // Ends the Undo under way after the file it is putting back.
  void Stop();

 private:
  void ended(const TUndoOutcome& outcome);

  TBorrowed<TMenuItem> FItem;
  TBorrowed<TSysPopupMenu> FMenu;
  TBorrowed<IUserChannel> FUser;
  TBorrowed<IRunWindow> FWindow;
  TBorrowed<IBatchWindow> FProgress;
  std::optional<TUndoableRun> FRun;
  // The Undo under way, if any; it holds the run lock as a run does.
  std::unique_ptr<TUndoWorker> FWorker;
  TSessionLock FLock;
};
