#pragma once
// Type-ahead search text of a list: keys typed in quick succession build one text.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_system.h"

class TTypeAhead {
 public:
  static constexpr std::uint64_t kPauseMs = 500;
  static constexpr wchar_t kBackspace = L'\b';

  struct TResult {
    std::wstring Text;     // the text to search for; empty: search nothing
    bool ToFirst = false;  // Backspace emptied the text: go to entry 0
  };
  // nowMs: a monotonic clock reading in milliseconds.
  TResult Key(wchar_t key, std::uint64_t nowMs);

 private:
  std::wstring FText;
  std::uint64_t FLastKeyMs = 0;
  bool FAnyKey = false;
};

bool StartsWithIgnoringCase(std::wstring_view text, std::wstring_view prefix, const ICollation& collation);
