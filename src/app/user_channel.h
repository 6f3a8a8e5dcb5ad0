#pragma once
// Where the program turns to its user: a person at the window, or for an unattended run the
// console of the program that started it, where nobody answers and nothing is kept.
#include <exception>
#include <string>

#include "app/command_line.h"
#include "app/command_runs.h"

class IUserChannel {
 public:
  virtual ~IUserChannel() = default;
  virtual void Tell(const std::wstring& title, const std::wstring& text) = 0;
  // A yes-or-no question; true for yes.
  virtual bool Ask(const std::wstring& title, const std::wstring& question) = 0;
  // An error that ended something the user asked for, as the error box words it.
  virtual void ReportError(const std::exception_ptr& error) = 0;
  // Whether what the user changed in the window is kept for the next start.
  virtual bool SavesSettings() const = 0;
  // Whether the program closes once a run has ended.
  virtual bool ClosesAfterRun() const = 0;
  // What the program ends with, for whoever started it (TExitCode); the last call counts.
  virtual void ExitWith(int exitCode) = 0;
  // How the run went: the files treated and failed, and the run's folder (empty: none).
  virtual void Account(int treated, int failed, const std::wstring& runFolder) = 0;
};

// A person at the window: message boxes, the error box, settings kept.
class TInteractiveUser final : public IUserChannel {
 public:
  void Tell(const std::wstring& title, const std::wstring& text) override;
  bool Ask(const std::wstring& title, const std::wstring& question) override;
  void ReportError(const std::exception_ptr& error) override;
  bool SavesSettings() const override { return true; }
  bool ClosesAfterRun() const override { return false; }
  // A program started by hand ends with 0 whatever happened.
  void ExitWith(int) override {}
  void Account(int, int, const std::wstring&) override {}
};

// An unattended run: no box, as nobody may be there to close it. Each text is a line on the
// parent's console, and is kept for the log of command runs; every question is answered yes,
// and no setting changes.
class TUnattendedUser final : public IUserChannel {
 public:
  void Tell(const std::wstring& title, const std::wstring& text) override;
  bool Ask(const std::wstring&, const std::wstring&) override { return true; }
  void ReportError(const std::exception_ptr& error) override;
  bool SavesSettings() const override { return false; }
  bool ClosesAfterRun() const override { return true; }
  void ExitWith(int exitCode) override { FExitCode = exitCode; }
  void Account(int treated, int failed, const std::wstring& runFolder) override;
  // The run's line in the log of command runs, all but its start and command line.
  const TCommandRun& Logged() const { return FLogged; }
  int ExitCode() const { return FExitCode; }

 private:
  int FExitCode = ecTreated;
  TCommandRun FLogged;
};
