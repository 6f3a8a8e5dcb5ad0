#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "base/win_handles.h"
#include "dialogs/sys_menu_win.h"
#include "ui/application.h"

namespace {

std::vector<WPARAM> SystemCommandsSeen;

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSCOMMAND) {
    SystemCommandsSeen.push_back(wParam);
    // Moving would start a modal loop that waits for the mouse; seeing it is enough.
    if ((wParam & 0xFFF0) == SC_MOVE) return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

// A plain top-level window with a system menu, and a menu component on it.
class SysMenuTest : public testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = TestWindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"VelbrookSysMenuTest";
    ::RegisterClassW(&windowClass);
    FWindow.Reset(::CreateWindowExW(0, L"VelbrookSysMenuTest", L"Test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300,
                                    200, nullptr, nullptr, windowClass.hInstance, nullptr));
    ASSERT_TRUE(FWindow);
    Application().ProcessMessages();
    SystemCommandsSeen.clear();
  }

  HMENU SystemMenu() const { return ::GetSystemMenu(FWindow.Get(), FALSE); }

  std::wstring EntryText(int position) const {
    wchar_t text[64] = {};
    ::GetMenuStringW(SystemMenu(), static_cast<UINT>(position), text, 64, MF_BYPOSITION);
    return text;
  }

  void Command(WPARAM command) {
    ::PostMessageW(FWindow.Get(), WM_SYSCOMMAND, command, 0);
    Application().ProcessMessages();
  }

  TWindowHandle FWindow;
};

TMenuItem& AddItem(TSysPopupMenu& menu, const std::wstring& caption) {
  TMenuItem& item = menu.Items.Add(std::make_unique<TMenuItem>());
  item.Caption = caption;
  return item;
}

}  // namespace

TEST_F(SysMenuTest, VisibleItemsGoToTheEndOfTheSystemMenu) {
  const int standard = ::GetMenuItemCount(SystemMenu());
  ASSERT_GT(standard, 0);
  TSysPopupMenu menu(FWindow.Get());
  AddItem(menu, L"Hidden").Visible = false;
  AddItem(menu, L"-");
  TMenuItem& about = AddItem(menu, L"About");
  TMenuItem& options = AddItem(menu, L"Options");
  options.Checked = true;
  options.Enabled = false;
  options.Add(std::make_unique<TMenuItem>()).Caption = L"Sub";
  menu.Loaded();

  ASSERT_EQ(::GetMenuItemCount(SystemMenu()), standard + 3);
  EXPECT_EQ(::GetMenuState(SystemMenu(), static_cast<UINT>(standard), MF_BYPOSITION) & MF_SEPARATOR, MF_SEPARATOR);
  EXPECT_EQ(EntryText(standard + 1), L"About");
  EXPECT_EQ(::GetMenuItemID(SystemMenu(), standard + 1), about.Command());
  const UINT optionsState = ::GetMenuState(SystemMenu(), static_cast<UINT>(standard + 2), MF_BYPOSITION);
  EXPECT_TRUE(optionsState & MF_CHECKED);
  EXPECT_TRUE(optionsState & MF_GRAYED);
  HMENU sub = ::GetSubMenu(SystemMenu(), standard + 2);
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(::GetMenuItemCount(sub), 1);
}

TEST_F(SysMenuTest, ItsCommandRunsTheHandlerAndStillReachesTheWindow) {
  TSysPopupMenu menu(FWindow.Get());
  TMenuItem& about = AddItem(menu, L"About");
  int aboutClicks = 0;
  about.OnClick = [&] { ++aboutClicks; };
  TMenuItem& hidden = AddItem(menu, L"Later");
  hidden.Visible = false;
  int hiddenClicks = 0;
  hidden.OnClick = [&] { ++hiddenClicks; };
  menu.Loaded();

  Command(about.Command());
  EXPECT_EQ(aboutClicks, 1);
  EXPECT_EQ(SystemCommandsSeen, std::vector<WPARAM>{about.Command()});
  // Found by number even when not shown, as any item of the menu is.
  Command(hidden.Command());
  EXPECT_EQ(hiddenClicks, 1);
  EXPECT_EQ(aboutClicks, 1);
}

TEST_F(SysMenuTest, StandardCommandsStillWork) {
  TSysPopupMenu menu(FWindow.Get());
  int clicks = 0;
  AddItem(menu, L"About").OnClick = [&] { ++clicks; };
  menu.Loaded();

  Command(SC_MOVE);
  EXPECT_EQ(SystemCommandsSeen, std::vector<WPARAM>{SC_MOVE});
  Command(SC_MINIMIZE);
  EXPECT_TRUE(::IsIconic(FWindow.Get()));
  Command(SC_RESTORE);
  EXPECT_FALSE(::IsIconic(FWindow.Get()));
  Command(SC_CLOSE);
  EXPECT_FALSE(::IsWindow(FWindow.Get()));
  FWindow.Release();
  EXPECT_EQ(clicks, 0);
}

TEST_F(SysMenuTest, HooksChainAndLeaveInAnyOrder) {
  int hookedMessages = 0;
  bool swallow = false;
  std::unique_ptr<TSysPopupMenu> first, second;
  int earlier = 0;
  earlier = Application().AddMessageHook([&](MSG& msg, bool& handled) {
    if (msg.message != WM_SYSCOMMAND) return;
    ++hookedMessages;
    handled = swallow;
    // An earlier hook that drops the first menu, then itself, while it runs.
    if (msg.wParam == SC_MOVE && first)
      first.reset();
    else if (msg.wParam == SC_MOVE)
      Application().RemoveMessageHook(earlier);
  });
  int clicks = 0, secondClicks = 0;
  first = std::make_unique<TSysPopupMenu>(FWindow.Get());
  TMenuItem& about = AddItem(*first, L"About");
  about.OnClick = [&] { ++clicks; };
  first->Loaded();
  second = std::make_unique<TSysPopupMenu>(FWindow.Get());
  TMenuItem& other = AddItem(*second, L"Other");
  other.OnClick = [&] { ++secondClicks; };
  second->Loaded();

  Command(about.Command());
  EXPECT_EQ(hookedMessages, 1);
  EXPECT_EQ(clicks, 1);
  // A message the earlier hook handled is not the menu's.
  swallow = true;
  Command(about.Command());
  EXPECT_EQ(hookedMessages, 2);
  EXPECT_EQ(clicks, 1);
  swallow = false;

  // Menus gone in the order they came, the first from inside a hook that runs before its
  // own: the rest of the chain goes on working.
  Command(SC_MOVE);
  EXPECT_FALSE(first);
  Command(other.Command());
  EXPECT_EQ(secondClicks, 1);
  second.reset();
  Command(SC_MOVE);  // the earlier hook, still in place, takes itself out
  EXPECT_EQ(hookedMessages, 5);
  Command(SC_MOVE);
  EXPECT_EQ(hookedMessages, 5);
  EXPECT_EQ(clicks, 1);
}
