#include "app/run_names.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "app/run_record_format.h"
#include "base/text.h"

namespace {

// How a run folder's name orders it: numbered runs after the others and by their number;
// the others by their start time and then n of " (n)" (1 without one).
struct TRunOrder {
  bool Numbered = false;
  std::uint64_t Number = 0;
  std::wstring Time;
  unsigned long SameSecond = 1;
  auto operator<=>(const TRunOrder&) const = default;
};

bool AllDigits(std::wstring_view text, std::size_t most) {
  return !text.empty() && text.size() <= most &&
         std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

// The order of a run folder's name; none for another name.
std::optional<TRunOrder> RunFolderOrder(const std::wstring& name) {
  constexpr std::wstring_view shape = L"0000-00-00 00.00.00";
  if (name.size() < shape.size()) return std::nullopt;
  for (std::size_t i = 0; i < shape.size(); ++i) {
    const bool digit = name[i] >= L'0' && name[i] <= L'9';
    if (shape[i] == L'0' ? !digit : name[i] != shape[i]) return std::nullopt;
  }
  TRunOrder order;
  order.Time = name.substr(0, shape.size());
  const std::wstring_view rest = std::wstring_view(name).substr(shape.size());
  if (rest.empty()) return order;
  if (rest.starts_with(L" #") && AllDigits(rest.substr(2), 19)) {
    order.Numbered = true;
    order.Number = std::stoull(std::wstring(rest.substr(2)));
    return order;
  }
  if (!rest.starts_with(L" (") || !rest.ends_with(L')') || !AllDigits(rest.substr(2, rest.size() - 3), 9))
    return std::nullopt;
  order.SameSecond = std::stoul(std::wstring(rest.substr(2, rest.size() - 3)));
  return order;
}

// stem + tail, or else stem + " (n)" + tail with the first n from 2 on that is not taken.
std::wstring NumberedName(const std::wstring& stem, const std::wstring& tail,
                          const std::function<bool(const std::wstring&)>& taken) {
  std::wstring name = stem + tail;
  for (int number = 2; taken(name); ++number) name = stem + L" (" + std::to_wstring(number) + L")" + tail;
  return name;
}

}  // namespace

std::wstring RunFolderName(const TLocalTime& start, std::uint64_t number) {
  return TimeText(start, L'.') + L" #" + std::to_wstring(number);
}

std::uint64_t NextRunNumber(const std::vector<TRunOnDisk>& listed) {
  std::uint64_t highest = 0;
  for (const TRunOnDisk& run : listed)
    if (const std::optional<TRunOrder> order = RunFolderOrder(run.Name); order && order->Number > highest)
      highest = order->Number;
  return highest + 1;
}

std::wstring UniqueName(const std::wstring& wanted, const std::function<bool(const std::wstring&)>& taken) {
  // A leading dot starts a name, not an extension.
  const std::size_t dot = wanted.rfind(L'.');
  const std::size_t stemEnd = dot == std::wstring::npos || dot == 0 ? wanted.size() : dot;
  return NumberedName(wanted.substr(0, stemEnd), wanted.substr(stemEnd), taken);
}

std::wstring BackupName(const std::wstring& fileName, const std::function<bool(const std::wstring&)>& taken) {
  return UniqueName(fileName, [&](const std::wstring& name) {
    return EqualIgnoringAsciiCase(name, kRecordFileName) || name == L"-" || taken(name);
  });
}

std::vector<TRunOnDisk> RunsNewestFirst(std::vector<TRunOnDisk> listed) {
  std::erase_if(listed, [](const TRunOnDisk& run) { return !RunFolderOrder(run.Name); });
  std::sort(listed.begin(), listed.end(),
            [](const TRunOnDisk& a, const TRunOnDisk& b) { return *RunFolderOrder(b.Name) < *RunFolderOrder(a.Name); });
  return listed;
}

bool IsPlainBackupName(const std::wstring& name) {
  return !name.empty() && name != L"." && name != L".." && name.find_first_of(L"\\/:") == std::wstring::npos;
}
