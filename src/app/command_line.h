#pragma once
// The command line of an unattended run:
//   Velbrook.exe /Process <folder> /Script <file> [/Mask <patterns>] [/Continue] [/TimeLimit <time>]
// and /? for the usage. Switches ignore case; "-" may stand for "/".
#include <optional>
#include <string>
#include <vector>

#include "app/time_limit.h"
#include "base/errors.h"

// What an unattended run ends with, for the scheduler that started it.
enum TExitCode : int {
  ecTreated = 0,         // every file treated
  ecSomeFailed = 1,      // some files failed
  ecBadArguments = 2,    // an unknown switch, a missing value, a missing folder or script
  ecNotLinked = 3,       // Norvalt could not be linked
  ecStopped = 4,         // the session ended, or the run was stopped from the window
  ecNothingMatched = 5,  // no file matched
  ecAnotherRun = 6,      // another Velbrook run was in progress
  ecFailedToStart = 7,   // an unexpected error kept the run from starting
};

struct TCommandLine {
  bool Usage = false;  // /?: show the usage, nothing else
  std::wstring Folder, Script;
  std::wstring Mask = L"*.*";
  bool ContinueAfterErrors = false;
  TTimeLimit TimeLimit;  // per file; none unless given
};

// The arguments are unknown, incomplete or missing; the text says which.
class EBadArguments : public Exception {
 public:
  using Exception::Exception;
};

// Reads the arguments after the program's name: nothing for none (an interactive start).
// Raises EBadArguments for an unknown switch, a switch without its value, a value without a
// switch, or a run without its folder or script.
std::optional<TCommandLine> ParseCommandLine(const std::vector<std::wstring>& arguments);

std::wstring UsageText();
