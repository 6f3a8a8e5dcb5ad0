#include "filelists/type_ahead.h"

TTypeAhead::TResult TTypeAhead::Key(wchar_t key, std::uint64_t nowMs) {
  const bool paused = FAnyKey && nowMs - FLastKeyMs >= kPauseMs;
  FLastKeyMs = nowMs;
  FAnyKey = true;
  if (key == kBackspace) {
    if (FText.empty()) return {};
    FText.pop_back();
    return {FText, FText.empty()};
  }
  if (paused) FText.clear();
  FText += key;
  return {FText, false};
}

bool StartsWithIgnoringCase(std::wstring_view text, std::wstring_view prefix, const ICollation& collation) {
  return text.size() >= prefix.size() && collation.CompareIgnoreCase(text.substr(0, prefix.size()), prefix) == 0;
}
