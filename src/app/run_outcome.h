#pragma once
// How a run ended, turned into what follows it: what the window shows, which files keep the
// selection and the focus, what the user is told, and the exit code.
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "app/batch_run.h"

// What ends the program once the run under way has stopped.
enum class TAfterRun { Nothing, Close, CloseSavingSettings, EndSession };

// How a run on the worker ended.
struct TRunEnd {
  TWalkResult Walk;          // what was treated and what failed, unless Error ended the run
  int LastFile = -1;         // index of the last file started
  bool Stopped = false;      // by request, between two files
  std::exception_ptr Error;  // what ended the run early
  // Given up while a Norvalt call went unanswered: the worker may still be in that call, and
  // Walk is not known.
  bool GivenUp = false;
  // Given up as the file passed this time limit, with a Norvalt that Velbrook did not start
  // and so left running: the file failed.
  std::optional<TTimeLimit> LimitPassed;
  // The files treated and failed (a given-up file among them), and the run's folder.
  int Treated = 0, Failed = 0;
  std::wstring RunFolder;
};

// The plan's files as the window listed them: each file's path and its file list entry.
struct TRunFiles {
  std::vector<std::wstring> Paths;
  std::vector<int> Entries;
};

// The exit code (TExitCode) of a run that ended so.
int RunExitCode(const TRunEnd& end);

// Shows how the run ended on display and window, and returns its exit code. When the session
// ends (after), nobody is told anything; of a stop, only a user who stays with the program.
// A failure keeps the failed file in focus, and a run that went on after errors leaves its
// failed files selected.
int ShowRunEnd(const TRunEnd& end, TAfterRun after, const TRunFiles& files, TRunDisplay& display, IBatchWindow& window);
