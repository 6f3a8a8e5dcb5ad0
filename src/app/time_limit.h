#pragma once
// The time one file may take in a run, from its OpenNcFile to the return of its SaveNcFileAs:
// read as the user writes it ("90s", "15m", a bare number of minutes; "0" for none) and
// given back in that form for the settings file and the messages.
#include <optional>
#include <string>
#include <string_view>

class TTimeLimit {
 public:
  enum class TUnit { Seconds, Minutes };

  static constexpr long long kLeastSeconds = 5;
  // A day: more is no limit for one file, and keeps every sum far from overflowing.
  static constexpr long long kMostSeconds = 24 * 60 * 60;

  // No limit.
  TTimeLimit() = default;

  // The text read, or the reason it is no time limit (a sentence for the user). Blanks around
  // the number and the unit, and the unit's case, do not matter.
  struct TParsed;
  static TParsed Parse(std::wstring_view typed);

  bool None() const { return FCount == 0; }
  long long Seconds() const { return FUnit == TUnit::Minutes ? FCount * 60 : FCount; }
  // "90s", "15m", or "0" for none: the unit the user chose, blanks and case normalised.
  std::wstring Text() const;

  bool operator==(const TTimeLimit&) const = default;

 private:
  TTimeLimit(long long count, TUnit unit) : FCount(count), FUnit(unit) {}

  long long FCount = 0;
  TUnit FUnit = TUnit::Minutes;
};

struct TTimeLimit::TParsed {
  std::optional<TTimeLimit> Limit;
  std::wstring Error;  // when Limit is empty
};
