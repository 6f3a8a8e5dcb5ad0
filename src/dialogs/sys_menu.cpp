#include "dialogs/sys_menu.h"

#include <bitset>
#include <mutex>

#include "base/errors.h"

namespace {

// Command numbers live below the system's own commands (0xF000 and up), and 0 means none.
constexpr std::uint32_t FirstCommand = 1;
constexpr std::uint32_t CommandLimit = 0xF000;

class TCommandNumbers {
 public:
  std::uint16_t Take() {
    std::lock_guard<std::mutex> lock(FMutex);
    for (std::uint32_t tried = 0; tried < CommandLimit - FirstCommand; ++tried) {
      const std::uint32_t candidate = FNext;
      FNext = FNext + 1 == CommandLimit ? FirstCommand : FNext + 1;
      if (!FUsed[candidate]) {
        FUsed[candidate] = true;
        return static_cast<std::uint16_t>(candidate);
      }
    }
    throw EOutOfResources(L"No free menu command number");
  }

  void Give(std::uint16_t command) {
    std::lock_guard<std::mutex> lock(FMutex);
    FUsed[command] = false;
  }

 private:
  std::mutex FMutex;
  std::bitset<CommandLimit> FUsed;
  std::uint32_t FNext = FirstCommand;
};

TCommandNumbers& CommandNumbers() {
  static TCommandNumbers numbers;
  return numbers;
}

}  // namespace

TMenuItem::TMenuItem() : FCommand(CommandNumbers().Take()) {}

TMenuItem::~TMenuItem() { CommandNumbers().Give(FCommand); }

TMenuItem& TMenuItem::Add(std::unique_ptr<TMenuItem> item) {
  FItems.push_back(std::move(item));
  return *FItems.back();
}

TMenuItem* TMenuItem::Find(std::uint16_t command) {
  for (const auto& item : FItems) {
    if (item->FCommand == command) return item.get();
    if (TMenuItem* found = item->Find(command)) return found;
  }
  return nullptr;
}

TMenuEntry MenuEntry(const TMenuItem& item) {
  TMenuEntry entry;
  entry.Text = item.ShortCut.empty() ? item.Caption : item.Caption + L"\t" + item.ShortCut;
  entry.Command = item.Command();
  entry.SubMenu = item.Items().empty() ? nullptr : &item;
  entry.Separator = item.Caption == L"-";
  entry.Break = item.Break;
  entry.RadioCheck = item.RadioItem;
  entry.Bitmap = item.Bitmap;
  entry.Checked = item.Checked;
  entry.Disabled = !item.Enabled;
  entry.Default = item.Default;
  return entry;
}

std::vector<TMenuEntry> MenuEntries(const TMenuItem& parent) {
  std::vector<TMenuEntry> entries;
  for (const auto& item : parent.Items())
    if (item->Visible) entries.push_back(MenuEntry(*item));
  return entries;
}
