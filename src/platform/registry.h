#pragma once
// The few registry services the program uses: text values read from a key, and one key
// opened (created when missing).
#include <string>

// ClassesRoot is COM's view of classes: the user's over the machine's.
enum class TRegistryRoot { LocalMachine, CurrentUser, ClassesRoot };

// The text value name of key (an empty name: the key's default value), an expandable one
// expanded; a missing key or value, or one that is not text, reads empty.
std::wstring ReadRegistryString(TRegistryRoot root, const std::wstring& key, const std::wstring& name);

// Opens key, creating it when missing; false when the registry refuses.
bool OpenOrCreateRegistryKey(TRegistryRoot root, const std::wstring& key);
