#include "dialogs/sys_menu_win.h"

#include <vector>

#include "base/win_handles.h"
#include "ui/dispatcher.h"

namespace {

UINT TypeFlags(const TMenuEntry& entry) {
  UINT type = entry.Separator ? MFT_SEPARATOR : MFT_STRING;
  if (entry.Break == TMenuBreak::mbBreak) type |= MFT_MENUBREAK;
  if (entry.Break == TMenuBreak::mbBarBreak) type |= MFT_MENUBARBREAK;
  if (entry.RadioCheck) type |= MFT_RADIOCHECK;
  return type;
}

UINT StateFlags(const TMenuEntry& entry) {
  UINT state = 0;
  if (entry.Checked) state |= MFS_CHECKED;
  if (entry.Disabled) state |= MFS_DISABLED | MFS_GRAYED;
  if (entry.Default) state |= MFS_DEFAULT;
  return state;
}

void AppendEntries(HMENU menu, const std::vector<TMenuEntry>& entries) {
  for (const TMenuEntry& entry : entries) {
    std::wstring text = entry.Text;
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
    info.fType = TypeFlags(entry);
    info.fState = StateFlags(entry);
    info.wID = entry.Command;
    info.dwTypeData = text.data();
    TMenuHandle subMenu;
    if (entry.SubMenu) {
      subMenu.Reset(::CreatePopupMenu());
      AppendEntries(subMenu.Get(), MenuEntries(*entry.SubMenu));
      info.fMask |= MIIM_SUBMENU;
      info.hSubMenu = subMenu.Get();
    }
    // The menu draws the picture itself; the program has no drawing code for menu items.
    if (entry.Bitmap) {
      info.fMask |= MIIM_BITMAP;
      info.hbmpItem = static_cast<HBITMAP>(const_cast<void*>(entry.Bitmap));
    }
    // Once inserted, the submenu belongs to the menu it sits in.
    if (::InsertMenuItemW(menu, static_cast<UINT>(::GetMenuItemCount(menu)), TRUE, &info)) subMenu.Release();
  }
}

}  // namespace

TSysPopupMenu::TSysPopupMenu(HWND owner) : FOwner(owner) {}

TSysPopupMenu::~TSysPopupMenu() {
  if (FHookKey) Application().RemoveMessageHook(FHookKey);
}

void TSysPopupMenu::Loaded() {
  if (!FHookKey)
    FHookKey = Application().AddMessageHook([this](MSG& msg, bool& handled) { MessageHook(msg, handled); });
  AppendEntries(::GetSystemMenu(FOwner, FALSE), MenuEntries(Items));
}

void TSysPopupMenu::Refresh(const TMenuItem& item) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE;
  info.fState = StateFlags(MenuEntry(item));
  ::SetMenuItemInfoW(::GetSystemMenu(FOwner, FALSE), item.Command(), FALSE, &info);
}

void TSysPopupMenu::MessageHook(MSG& msg, bool& handled) {
  if (handled || msg.message != WM_SYSCOMMAND) return;
  TMenuItem* item = Items.Find(LOWORD(msg.wParam));
  // The message stays unhandled: the window's own system-command handling still runs.
  if (item && item->OnClick) RunGuarded(item->OnClick);
}
