#pragma once
// "Undo Last Run" in the system menu: the run it offers, whether it is available, and
// carrying it out.
#include <optional>

#include "app/run_history.h"
#include "app/user_channel.h"
#include "base/borrowed.h"

class TMenuItem;
class TSysPopupMenu;

class TUndoCommand {
 public:
  // item is menu's; both show whether Undo is available.
  TUndoCommand(TMenuItem& item, TSysPopupMenu& menu, IUserChannel& user) : FItem(item), FMenu(menu), FUser(user) {}

  // Offers the newest run that can be undone, unless a run is under way.
  void Refresh(bool runUnderWay);
  // Asks, then puts back the files of the run offered and tells how that went.
  void CarryOut();

 private:
  TBorrowed<TMenuItem> FItem;
  TBorrowed<TSysPopupMenu> FMenu;
  TBorrowed<IUserChannel> FUser;
  std::optional<TUndoableRun> FRun;
};
