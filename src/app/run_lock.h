#pragma once
// The lock that keeps runs apart in the user's session: Norvalt works on the file it opened
// last, so two runs must not interleave their calls, and Undo writes the files a run wrote.
// A run holds it until it ends or is given up (see TRunControl).
#include "app/session_lock.h"
#include "app/user_channel.h"

// Takes the run lock, or tells the user that another run is in progress and returns a lock
// that is not held.
TSessionLock TakeRunLock(IUserChannel& user);
