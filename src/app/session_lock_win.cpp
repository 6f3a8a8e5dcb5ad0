#include "app/session_lock.h"

TSessionLock::TSessionLock(const std::wstring& name) {
  TKernelHandle mutex(::CreateMutexW(nullptr, FALSE, (L"Local\\" + name).c_str()));
  if (mutex && ::GetLastError() != ERROR_ALREADY_EXISTS) FMutex = std::move(mutex);
}
