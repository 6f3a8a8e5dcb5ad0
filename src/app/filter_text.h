#pragma once
// The filter box's rules: what a typed filter means for the file list, and the recent
// filters its drop-down offers.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A filter as the box shows it: its patterns joined by ";", without blanks around them or
// empty ones; empty when the box is.
struct TFilter {
  std::wstring Text;
  // The file list's mask: every file for an empty filter.
  std::wstring Mask() const { return Text.empty() ? L"*.*" : Text; }
};

// The filter typed into the box; none when a pattern holds a character that no file name
// holds (\ / : " < > |), which would name a folder or a drive instead, or when it names a
// device (CON, NUL, COM1, ...), which a search answers as if it were a file.
std::optional<TFilter> ParseFilter(std::wstring_view typed);

// The last filters used, newest first, each once (letters compared without regard to case).
class TRecentFilters {
 public:
  static constexpr std::size_t kMaxCount = 10;

  // Puts filter first; an empty filter lists every file and is not kept.
  void Use(const std::wstring& filter);
  const std::vector<std::wstring>& Items() const { return FItems; }

  // One line for the settings file: the filters joined by "|", which no filter holds.
  std::wstring Stored() const;
  // The list read back from Stored()'s form; whatever is no filter is left out.
  static TRecentFilters FromStored(std::wstring_view stored);

 private:
  std::vector<std::wstring> FItems;
};
