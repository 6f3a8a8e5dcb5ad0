#pragma once
// A batch run from the window's side: its worker and what the window shows of it, the run
// lock, the watch on the call under way (a box Norvalt shows, a call that goes unanswered, a
// file that passes its time limit), Stop, and what follows the run (closing the program,
// ending the session). Workers given up while Norvalt did not answer stay here, holding the
// run lock, until they have really ended.
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "app/batch_run.h"
#include "app/norvalt_link.h"
#include "app/run_outcome.h"
#include "app/session_lock.h"
#include "app/time_limit.h"
#include "app/user_channel.h"
#include "base/borrowed.h"
#include "ui/ui_timer.h"

class TRunThread;

// What the run does to the rest of the window.
class IRunWindow {
 public:
  virtual ~IRunWindow() = default;
  // Controls locked, Process reading Stop, the status line cleared.
  virtual void ShowRunning(bool running) = 0;
  virtual void ShowStatus(const std::wstring& text) = 0;
  // The runs kept have changed: Undo looks again.
  virtual void RunsChanged() = 0;
  // The run has ended: the program closes now if after (or the user channel) says so.
  virtual void CloseAfterRun(TAfterRun after) = 0;
};

class TRunControl {
 public:
  TRunControl(TNorvaltLink& norvalt, IBatchWindow& batchWindow, IRunWindow& window, IUserChannel& user);
  ~TRunControl();
  TRunControl(const TRunControl&) = delete;
  TRunControl& operator=(const TRunControl&) = delete;

  bool Running() const { return FRun != nullptr; }
  // Plans a run from the window and starts it, each file given at most limit (none: no
  // limit); false when it did not start (the user was told why).
  bool Start(bool continueAfterErrors, const TTimeLimit& limit);
  // Stop after the current file, or at once when Norvalt has not answered for long.
  void Stop();
  // The user asks to close during the run (how says what closing is); true when the program
  // is to close now, false when it closes once the run has stopped, or stays.
  bool ConfirmClose(TAfterRun how);
  // The session ends: the file under way is finished first, then the program closes.
  void StopForSessionEnd();

 private:
  // A worker given up, and the run lock it holds until it has ended.
  struct TGivenUpRun {
    std::unique_ptr<TRunThread> Worker;
    TSessionLock Lock;
  };

  void file_starting(int index);
  // The status line between waits: the file under way, or that the run stops after it.
  std::wstring resting_status() const;
  void show_status(const std::wstring& text);
  void watch();
  // The file under way passed its time limit: Norvalt is ended when Velbrook started it, else
  // the run is given up and Norvalt left running.
  void cut_off();
  // What the status line says while a call waits: a box Norvalt shows, or how long it waited.
  std::wstring waiting_status(unsigned long long waited);
  // Gives up a worker whose Norvalt call has gone unanswered for long.
  void give_up(std::optional<TTimeLimit> limitPassed = std::nullopt);
  // Lets go of the given-up workers that have ended, and of their locks.
  void release_ended_runs();
  void finish();
  void conclude(const TRunEnd& end);

  TBorrowed<TNorvaltLink> FNorvalt;
  TBorrowed<IBatchWindow> FBatchWindow;
  TBorrowed<IRunWindow> FWindow;
  TBorrowed<IUserChannel> FUser;

  // The run under way, if any.
  std::unique_ptr<TRunThread> FRun;
  std::unique_ptr<TRunDisplay> FDisplay;
  TRunFiles FFiles;
  TTimeLimit FLimit;
  std::chrono::steady_clock::time_point FStartedAt;
  std::wstring FFileStatus;   // "Treating ..." of the file under way
  std::wstring FShownStatus;  // what the status line says now
  int FStatusFile = -1;       // the file the status line names
  int FCutOffFile = -1;       // the file whose Norvalt was ended for its time limit
  bool FStopRequested = false;
  TAfterRun FAfterRun = TAfterRun::Nothing;
  TSessionLock FLock;
  TUITimer FWatch;
  std::vector<TGivenUpRun> FGivenUp;
};
