#include <gtest/gtest.h>

#include <set>

#include "dialogs/sys_menu.h"

namespace {

TMenuItem& AddItem(TMenuItem& parent, const std::wstring& caption) {
  TMenuItem& item = parent.Add(std::make_unique<TMenuItem>());
  item.Caption = caption;
  return item;
}

}  // namespace

TEST(MenuItem, CommandNumbersAreUniqueNonZeroAndBelowSystemCommands) {
  std::set<std::uint16_t> seen;
  std::vector<std::unique_ptr<TMenuItem>> items;
  for (int i = 0; i < 500; ++i) {
    items.push_back(std::make_unique<TMenuItem>());
    const std::uint16_t command = items.back()->Command();
    EXPECT_NE(command, 0);
    EXPECT_LT(command, 0xF000);
    EXPECT_TRUE(seen.insert(command).second) << command;
  }
  // A freed number may be handed out again, but never while its item lives.
  const std::uint16_t freed = items.front()->Command();
  items.erase(items.begin());
  for (int i = 0; i < 0xF000 - 501; ++i) items.push_back(std::make_unique<TMenuItem>());
  TMenuItem last;
  EXPECT_EQ(last.Command(), freed);
}

TEST(MenuItem, FindSearchesDepthFirstBelowTheRoot) {
  TMenuItem root;
  TMenuItem& file = AddItem(root, L"File");
  TMenuItem& open = AddItem(file, L"Open");
  TMenuItem& deep = AddItem(open, L"Recent");
  TMenuItem& about = AddItem(root, L"About");
  EXPECT_EQ(root.Find(about.Command()), &about);
  EXPECT_EQ(root.Find(deep.Command()), &deep);
  EXPECT_EQ(root.Find(file.Command()), &file);
  EXPECT_EQ(root.Find(root.Command()), nullptr);
  EXPECT_EQ(root.Find(0xF020), nullptr);
}

TEST(MenuEntries, VisibleItemsInOrderWithTheirSettings) {
  TMenuItem root;
  TMenuItem& about = AddItem(root, L"About");
  AddItem(root, L"Hidden").Visible = false;
  AddItem(root, L"-");
  TMenuItem& options = AddItem(root, L"Options");
  options.ShortCut = L"Ctrl+O";
  options.Checked = true;
  options.Enabled = false;
  options.Default = true;
  options.RadioItem = true;
  options.Break = TMenuBreak::mbBarBreak;
  AddItem(options, L"Sub");

  const std::vector<TMenuEntry> entries = MenuEntries(root);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].Text, L"About");
  EXPECT_EQ(entries[0].Command, about.Command());
  EXPECT_EQ(entries[0].SubMenu, nullptr);
  EXPECT_FALSE(entries[0].Separator || entries[0].Checked || entries[0].Disabled || entries[0].Default ||
               entries[0].RadioCheck);
  EXPECT_EQ(entries[0].Break, TMenuBreak::mbNone);

  EXPECT_TRUE(entries[1].Separator);

  EXPECT_EQ(entries[2].Text, L"Options\tCtrl+O");
  EXPECT_EQ(entries[2].SubMenu, &options);
  EXPECT_TRUE(entries[2].Checked && entries[2].Disabled && entries[2].Default && entries[2].RadioCheck);
  EXPECT_EQ(entries[2].Break, TMenuBreak::mbBarBreak);
}
