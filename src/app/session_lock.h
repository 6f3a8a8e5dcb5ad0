#pragma once
// A lock that one holder in the user's session has at a time: a named mutex under Local\.
// The mutex's existence is the lock, so it is held from any thread and given up with the
// object (or with the process, however it ends).
#include <string>

#include "base/win_handles.h"

class TSessionLock {
 public:
  TSessionLock() = default;
  // Tries to take the lock of that name; Held() tells whether it was free.
  explicit TSessionLock(const std::wstring& name);
  bool Held() const { return static_cast<bool>(FMutex); }

 private:
  TKernelHandle FMutex;
};
