#pragma once
// The process behind an automation server: which program file is registered to serve a
// class, which processes of it run, and the one that serves an object just made, which may
// be ended only when the request for that object started it.
#include <string>
#include <vector>

#include "base/owned.h"

using TProcessId = unsigned long;

// The program file registered as the local server of classId ("{...}"), looked up as COM
// does (the user's classes over the machine's): LocalServer32's value with its environment
// variables expanded and without quotes or arguments. Empty when the class has none.
std::wstring LocalServerImage(const std::wstring& classId);

// The running processes whose program file is image: full paths compared without regard to
// case where a process lets its path be read, file names where it does not.
std::vector<TProcessId> ProcessesOfImage(const std::wstring& image);

namespace detail {
void CloseProcessHandle(void* process);
}

// The process serving an object, told from the processes of the server's image listed just
// before the request for the object and just after it:
//  - one process new in the second list: it serves the object, and the request started it
//    (Ours); it is the only kind that End may end;
//  - no new process and one listed both times: it serves the object, and was running before
//    (not Ours);
//  - anything else (several new processes, several old ones and no new one, none at all):
//    the server is not known, and nothing may be ended.
// A process that started by other means in the instant between the lists would pass for
// ours; a process id reused in that instant passes for not ours, the safe side.
class TServerProcess {
 public:
  TServerProcess() = default;  // none known
  static TServerProcess Identify(const std::wstring& image, const std::vector<TProcessId>& before,
                                 const std::vector<TProcessId>& after);

  bool Known() const { return static_cast<bool>(FHandle); }
  TProcessId Id() const { return FId; }
  bool Ours() const { return FOurs; }
  // False once the process has ended (and for none known).
  bool Alive() const;
  // Ends the process and waits for it to be gone, up to waitMilliseconds. Only for Ours: a
  // process that was running before is opened without the right to end it, and End leaves it
  // alone. True when the process is gone.
  bool End(unsigned waitMilliseconds = 5000);

 private:
  TOwned<void*, detail::CloseProcessHandle> FHandle;
  TProcessId FId = 0;
  bool FOurs = false;
};
