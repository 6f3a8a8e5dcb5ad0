#pragma once
// A run asked for on the command line: it starts once the window shows, asks nobody, and
// ends the program with an exit code that says how it went (TExitCode).
#include "app/command_line.h"
#include "app/command_runs.h"
#include "app/filter_text.h"
#include "app/user_channel.h"

class TMainForm;

class TUnattendedRun {
 public:
  // Takes a run's command line, its folder and script made absolute against the folder the
  // program was started in (the window's lists change the current folder). Raises
  // EBadArguments for what keeps the run from starting: a folder or script that does not
  // exist, or a mask that is no filter.
  explicit TUnattendedRun(TCommandLine line);

  // What the program tells, asks and keeps during the run.
  IUserChannel& User() { return FUser; }
  int ExitCode() const { return FUser.ExitCode(); }
  // The run's line in the log of command runs, but for its start and command line.
  const TCommandRun& Logged() const { return FUser.Logged(); }
  // An unexpected error, reported instead of the error box: nobody may be there to close it.
  // Before the run has started, it ends the program.
  void FailedToStart(const std::exception_ptr& error);

  // Once the window exists with Norvalt linked: gives Norvalt time to come up, then starts
  // the run when the window shows.
  void Begin(TMainForm& form);

 private:
  void start(TMainForm& form);
  // Ends the program before the run started: problem goes to the parent's console.
  void end(TMainForm& form, int exitCode, const std::wstring& problem);

  TCommandLine FLine;
  TFilter FFilter;
  TUnattendedUser FUser;
  bool FStarted = false;
};
