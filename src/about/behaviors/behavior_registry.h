#pragma once
// The process-wide list of label behaviours by name, kept sorted; names compare without
// regard to letter case and the first registration of a name stays.
#include <string>
#include <utility>
#include <vector>

#include "about/behaviors/behavior.h"

using TBehaviorList = std::vector<std::pair<std::wstring, TBehaviorClass>>;

void AddBehaviorClass(const std::wstring& name, TBehaviorClass cls);
// The name is no longer offered; nothing happens for a name that is not registered.
void RemoveBehaviorClass(const std::wstring& name);
// The plain TLabelBehavior for a name that is not registered.
TBehaviorClass FindBehaviorClass(const std::wstring& name);
// Empty for a class that is not registered.
std::wstring FindBehaviorName(TBehaviorClass cls);
bool IsBehaviorRegistered(const std::wstring& name);
// Fills list with every name and class, in order; does nothing without a list.
void ListBehaviorNames(TBehaviorList* list);

// Registers the eight behaviours every behaviour label offers; repeating it changes nothing.
void RegisterStandardBehaviors();
