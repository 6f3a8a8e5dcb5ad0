#pragma once
// The menu-item tree of a popup menu whose items go into a window's system menu, and the
// entries those items become there.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

enum class TMenuBreak { mbNone, mbBreak, mbBarBreak };

class TMenuItem {
 public:
  // Each item takes a command number no other live item of the program holds.
  TMenuItem();
  ~TMenuItem();
  TMenuItem(const TMenuItem&) = delete;
  TMenuItem& operator=(const TMenuItem&) = delete;

  std::wstring Caption;
  bool Visible = true;
  bool Enabled = true;
  bool Checked = false;
  bool Default = false;
  bool RadioItem = false;
  TMenuBreak Break = TMenuBreak::mbNone;
  std::wstring ShortCut;         // shown after a tab, e.g. "Ctrl+A"; empty for none
  const void* Bitmap = nullptr;  // a picture handle kept alive by the item's owner
  std::function<void()> OnClick;

  std::uint16_t Command() const { return FCommand; }

  // Adds a sub-item at the end and returns it.
  TMenuItem& Add(std::unique_ptr<TMenuItem> item);
  const std::vector<std::unique_ptr<TMenuItem>>& Items() const { return FItems; }

  // The item below this one with command, depth first in menu order; nullptr if none.
  TMenuItem* Find(std::uint16_t command);

 private:
  std::uint16_t FCommand;
  std::vector<std::unique_ptr<TMenuItem>> FItems;
};

// How one item shows in a menu.
struct TMenuEntry {
  std::wstring Text;
  std::uint16_t Command = 0;
  const TMenuItem* SubMenu = nullptr;  // the item itself when it has sub-items
  bool Separator = false;
  TMenuBreak Break = TMenuBreak::mbNone;
  bool RadioCheck = false;
  const void* Bitmap = nullptr;
  bool Checked = false;
  bool Disabled = false;
  bool Default = false;
};

// How the item shows, visible or not.
TMenuEntry MenuEntry(const TMenuItem& item);

// The entries for the visible items directly below parent, in order.
std::vector<TMenuEntry> MenuEntries(const TMenuItem& parent);
