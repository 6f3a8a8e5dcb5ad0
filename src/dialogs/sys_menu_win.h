#pragma once
// TSysPopupMenu puts its items at the end of its owner window's system menu and runs an
// item's click handler when the system command with its number comes through the queue.
#include <windows.h>

#include "dialogs/sys_menu.h"
#include "ui/application.h"

class TSysPopupMenu {
 public:
  explicit TSysPopupMenu(HWND owner);
  // Takes its message hook out of the application's chain.
  ~TSysPopupMenu();
  TSysPopupMenu(const TSysPopupMenu&) = delete;
  TSysPopupMenu& operator=(const TSysPopupMenu&) = delete;

  // The menu's items are the sub-items of this root.
  TMenuItem Items;

  // Once the owner's layout is read: hooks the application's message loop, then appends
  // the visible top-level items to the owner's system menu.
  void Loaded();
  // Shows the item's present Enabled and Checked state in the system menu.
  void Refresh(const TMenuItem& item);

 private:
  void MessageHook(MSG& msg, bool& handled);

  HWND FOwner;
  int FHookKey = 0;  // none before Loaded
};
