#include "app/run_lock.h"

TSessionLock TakeRunLock(IUserChannel& user) {
  TSessionLock lock(L"Velbrook.Run");
  if (!lock.Held()) user.Tell(L"Velbrook", L"Another Velbrook run is in progress.");
  return lock;
}
