#pragma once
// Collects the names of a listing for a list kept in locale order ignoring case, and tells
// at which position each name would land if the list took them one at a time. Sorting once
// at the end keeps large folders fast where inserting one at a time would not be.
#include <cstddef>
#include <string>
#include <vector>

#include "platform/file_system.h"

class TNameOrder {
 public:
  // Positions up to this one are reported exactly; later ones as kFarPosition.
  static constexpr std::size_t kTrackedPosition = 100;
  static constexpr std::size_t kFarPosition = static_cast<std::size_t>(-1);

  explicit TNameOrder(const ICollation& collation) : FCollation(collation) {}
  // A new name lands after the names that equal it.
  std::size_t Add(std::wstring_view name);
  // All names in order; equal names in the order they came.
  std::vector<std::wstring> Sorted();
  // As Sorted, keeping only the first of names that are equal ignoring case.
  std::vector<std::wstring> Distinct();

 private:
  struct TName {
    std::string Key;
    std::wstring Text;
  };
  void SortNames();
  std::vector<std::wstring> TakeTexts();

  const ICollation& FCollation;
  std::vector<TName> FNames;
  // The keys of the lowest kTrackedPosition + 1 names so far, in order: enough to place
  // a name exactly whenever it lands at a tracked position.
  std::vector<std::string> FLowest;
};
