#include "about/behaviors/behavior_registry.h"

#include <algorithm>
#include <cwctype>
#include <memory>

#include "about/behaviors/appear.h"
#include "about/behaviors/other_behaviors.h"

namespace {

int CompareNames(const std::wstring& a, const std::wstring& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto ca = std::towlower(a[i]);
    const auto cb = std::towlower(b[i]);
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::unique_ptr<TBehaviorList>& Registry() {
  static std::unique_ptr<TBehaviorList> registry;
  return registry;
}

TBehaviorList::const_iterator Lookup(const std::wstring& name) {
  const TBehaviorList& list = *Registry();
  const auto place = std::lower_bound(list.begin(), list.end(), name, [](const auto& entry, const std::wstring& key) {
    return CompareNames(entry.first, key) < 0;
  });
  return place != list.end() && CompareNames(place->first, name) == 0 ? place : list.end();
}

}  // namespace

void AddBehaviorClass(const std::wstring& name, TBehaviorClass cls) {
  if (!Registry()) Registry() = std::make_unique<TBehaviorList>();
  TBehaviorList& list = *Registry();
  const auto place = std::lower_bound(list.begin(), list.end(), name, [](const auto& entry, const std::wstring& key) {
    return CompareNames(entry.first, key) < 0;
  });
  if (place != list.end() && CompareNames(place->first, name) == 0) return;
  list.insert(place, {name, cls});
}

void RemoveBehaviorClass(const std::wstring& name) {
  if (IsBehaviorRegistered(name)) Registry()->erase(Lookup(name));
}

bool IsBehaviorRegistered(const std::wstring& name) { return Registry() && Lookup(name) != Registry()->end(); }

TBehaviorClass FindBehaviorClass(const std::wstring& name) {
  if (!IsBehaviorRegistered(name)) return &TLabelBehavior::ClassInfo;
  return Lookup(name)->second;
}

std::wstring FindBehaviorName(TBehaviorClass cls) {
  if (!Registry()) return {};
  for (const auto& [name, registered] : *Registry())
    if (registered == cls) return name;
  return {};
}

void ListBehaviorNames(TBehaviorList* list) {
  if (!list) return;
  list->clear();
  if (Registry()) *list = *Registry();
}

void RegisterStandardBehaviors() {
  AddBehaviorClass(L"(none)", &TLabelNone::ClassInfo);
  AddBehaviorClass(L"Blinking", &TLabelBlink::ClassInfo);
  AddBehaviorClass(L"Bouncing", &TLabelBounce::ClassInfo);
  AddBehaviorClass(L"Scrolling", &TLabelScroll::ClassInfo);
  AddBehaviorClass(L"Typing", &TLabelTyping::ClassInfo);
  AddBehaviorClass(L"Appearing", &TLabelAppear::ClassInfo);
  AddBehaviorClass(L"Special", &TLabelSpecial::ClassInfo);
  AddBehaviorClass(L"CodeBreaker", &TLabelCodeBreaker::ClassInfo);
}
