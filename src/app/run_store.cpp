#include "app/run_store.h"

#include "base/errors.h"

std::optional<std::wstring> IRunStore::HashOrNone(const std::wstring& path) {
  try {
    return DigestOf(path).Sha256;
  } catch (const Exception&) {
    return std::nullopt;
  }
}
