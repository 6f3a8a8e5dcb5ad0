#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "app/batch_run.h"
#include "app/command_line.h"
#include "app/run_outcome.h"
#include "base/errors.h"

namespace {

// A taskbar button recording what it shows, a main window with a file list, a script box
// and a progress bar, recording what the run shows; and a Norvalt that records its calls
// and can fail one.
class TFakeTaskbar : public ITaskbarButton {
 public:
  std::vector<std::wstring> Shown;
  void ShowProgress(int position, int max) override {
    Shown.push_back(std::to_wstring(position) + L"/" + std::to_wstring(max));
  }
  void ShowFailure() override { Shown.push_back(L"failed"); }
  void FlashUnlessInFront() override { Shown.push_back(L"flash"); }
};

class TFakeWindow : public IBatchWindow {
 public:
  std::wstring Script = L"C:\\S\\X.SCR";
  std::wstring Directory = L"C:\\NC";
  std::vector<std::wstring> Entries{L"A.NC", L"B.NC", L"C.NC", L"D.NC", L"E.NC"};
  std::set<int> Chosen;
  std::set<std::wstring> ExistingFiles{L"C:\\S\\X.SCR"};
  int ProgressMax = 100;
  std::vector<int> Positions;
  std::vector<std::wstring> Messages;
  int ScriptReads = 0;

  std::wstring ScriptPath() override {
    ++ScriptReads;
    return Script;
  }
  int SelCount() override { return static_cast<int>(Chosen.size()); }
  int EntryCount() override { return static_cast<int>(Entries.size()); }
  bool EntrySelected(int index) override { return Chosen.count(index) != 0; }
  std::wstring EntryText(int index) override { return Entries.at(static_cast<std::size_t>(index)); }
  std::wstring Folder() override { return Directory; }
  std::wstring Mask() override { return L"*.*"; }
  bool ScriptFileExists(const std::wstring& path) override { return ExistingFiles.count(path) != 0; }
  void SetProgressMax(int max) override { ProgressMax = max; }
  void SetProgressPosition(int position) override { Positions.push_back(position); }
  void ShowMessage(const std::wstring& title, const std::wstring& text) override {
    Messages.push_back(title + L"|" + text);
  }
  void ReportError(const std::exception_ptr&) override { Messages.push_back(L"error box"); }
  void SelectOnlyEntries(const std::vector<int>& entries) override { Selected = entries; }
  void FocusEntry(int entry) override { Focused = entry; }
  std::vector<int> Selected;
  int Focused = -1;
  ITaskbarButton& TaskbarButton() override { return Taskbar; }
  TFakeTaskbar Taskbar;
};

class TFakeNorvalt : public INcProcessor {
 public:
  std::vector<std::wstring> Calls;
  std::set<std::wstring> FailAt;  // "Open C:\NC\B.NC" and the like
  long FailStatus = static_cast<long>(0x80004005);
  bool Abort = false;
  bool FailOnce = false;  // each call of FailAt fails the first time only

  void LoadScript(const std::wstring& path) override { Call(L"Load " + path); }
  void OpenNcFile(const std::wstring& path) override { Call(L"Open " + path); }
  void ScriptStep1() override { Call(L"Step1"); }
  void ScriptStep2() override { Call(L"Step2"); }
  void SaveNcFileAs(const std::wstring& path) override { Call(L"Save " + path); }
  void Reconnect() override { Calls.push_back(L"Reconnect"); }

 private:
  void Call(const std::wstring& what) {
    Calls.push_back(what);
    if (!FailAt.count(what)) return;
    if (FailOnce) FailAt.erase(what);
    if (Abort) throw EAbort();
    throw EOleError(L"Norvalt cannot read the file", FailStatus);
  }
};

// The UI thread's side and the worker's side of a run, played one after the other: the
// plan, the walk with each file shown as it starts, and the end shown as the window shows it.
// A failure is shown, then raised again. The point before each save is logged among
// Norvalt's calls, and fails where they name it ("Saving 1").
class TStraightRun : public IRunProgress {
 public:
  TStraightRun(TRunDisplay& display, int stopBefore, TFakeNorvalt& norvalt)
      : FDisplay(display), FStopBefore(stopBefore), FNorvalt(norvalt) {}
  void FileStarting(int index) override {
    FDisplay.FileStarting(index);
    LastStarted = index;
    ++FStarted;
  }
  void FileSaving(int index) override {
    const std::wstring point = L"Saving " + std::to_wstring(index);
    FNorvalt.Calls.push_back(point);
    if (FNorvalt.FailAt.count(point)) throw EInOutError(L"The run's record cannot be written", 0);
  }
  void FileEnded(int, const std::wstring*) override {}
  bool StopRequested() override { return FStarted == FStopBefore; }
  int LastStarted = -1;

 private:
  TRunDisplay& FDisplay;
  int FStopBefore;
  TFakeNorvalt& FNorvalt;
  int FStarted = 0;
};

struct TBatchResult {
  TWalkResult Walk;
  int ExitCode = -1;
};

TBatchResult RunBatch(IBatchWindow& window, TFakeNorvalt* norvalt, int stopBefore = -1,
                      bool continueAfterErrors = false, TAfterRun after = TAfterRun::Nothing) {
  std::optional<TRunPlan> plan = PlanRun(window);
  if (!plan) return {};
  plan->ContinueAfterErrors = continueAfterErrors;
  TRunDisplay display(window, static_cast<int>(plan->Files.size()));
  if (!norvalt) {
    display.NotLinked();
    return {};
  }
  TStraightRun progress(display, stopBefore, *norvalt);
  TRunEnd end;
  try {
    end.Walk = TreatFiles(*plan, *norvalt, progress);
    end.Stopped = end.Walk.Reached < static_cast<int>(plan->Files.size());
  } catch (...) {
    end.Error = std::current_exception();
  }
  end.LastFile = progress.LastStarted;
  const int exitCode = ShowRunEnd(end, after, {plan->Files, plan->Entries}, display, window);
  if (end.Error) std::rethrow_exception(end.Error);
  return {end.Walk, exitCode};
}

}  // namespace

TEST(BatchRun, TreatsTheSelectedFilesInDisplayOrderCountingOnTheProgressBar) {
  TFakeWindow window;
  window.Chosen = {1, 3, 4};
  TFakeNorvalt norvalt;
  RunBatch(window, &norvalt);
  EXPECT_EQ(norvalt.Calls, (std::vector<std::wstring>{
                               L"Load C:\\S\\X.SCR",
                               L"Open C:\\NC\\B.NC",
                               L"Step1",
                               L"Step2",
                               L"Saving 0",
                               L"Save C:\\NC\\B.NC",
                               L"Open C:\\NC\\D.NC",
                               L"Step1",
                               L"Step2",
                               L"Saving 1",
                               L"Save C:\\NC\\D.NC",
                               L"Open C:\\NC\\E.NC",
                               L"Step1",
                               L"Step2",
                               L"Saving 2",
                               L"Save C:\\NC\\E.NC",
                           }));
  EXPECT_EQ(window.ProgressMax, 3);
  // The end shows the last file once more, as a fast run may not have shown it yet.
  EXPECT_EQ(window.Positions, (std::vector<int>{1, 2, 3, 3, 0}));
  EXPECT_TRUE(window.Messages.empty());
  EXPECT_EQ(window.Taskbar.Shown, (std::vector<std::wstring>{L"1/3", L"2/3", L"3/3", L"3/3", L"0/3", L"flash"}));

  // A second press hands the script over again and treats the same files again.
  EXPECT_EQ(RunBatch(window, &norvalt).ExitCode, ecTreated);
  EXPECT_EQ(norvalt.Calls.size(), 32u);
  EXPECT_EQ(norvalt.Calls[16], L"Load C:\\S\\X.SCR");
}

TEST(BatchRun, FilesInADriveRootGetNoDoubleSeparator) {
  TFakeWindow window;
  window.Directory = L"C:\\";
  window.Chosen = {0};
  TFakeNorvalt norvalt;
  RunBatch(window, &norvalt);
  EXPECT_EQ(norvalt.Calls.at(1), L"Open C:\\A.NC");
  EXPECT_EQ(norvalt.Calls.at(5), L"Save C:\\A.NC");
}

TEST(BatchRun, ChecksRunInOrderAndTheFirstFailureEndsTheRunBeforeNorvaltIsAsked) {
  TFakeNorvalt norvalt;
  TFakeWindow noScript;
  noScript.Script = L"";
  RunBatch(noScript, &norvalt);  // also nothing selected: the script check comes first
  EXPECT_EQ(noScript.Messages, std::vector<std::wstring>{L"Error:|Enter Script File"});

  TFakeWindow noSelection;
  noSelection.ExistingFiles.clear();  // also no script file: the selection check comes first
  RunBatch(noSelection, &norvalt);
  EXPECT_EQ(noSelection.Messages, std::vector<std::wstring>{L"Error:|Need to Select NC Files From List to Modify"});

  TFakeWindow missingScript;
  missingScript.Chosen = {0};
  missingScript.Script = L"C:\\S\\GONE.SCR";
  RunBatch(missingScript, &norvalt);
  EXPECT_EQ(missingScript.Messages, std::vector<std::wstring>{L"Error:|Can't Find Script File\r\nC:\\S\\GONE.SCR"});

  for (const TFakeWindow* w : {&noScript, &noSelection, &missingScript}) {
    EXPECT_TRUE(w->Positions.empty());
    EXPECT_EQ(w->ProgressMax, 100);
  }
  EXPECT_TRUE(norvalt.Calls.empty());
}

TEST(BatchRun, WithoutNorvaltTheUserIsToldAndTheBarIsReset) {
  TFakeWindow window;
  window.Chosen = {0, 2};
  RunBatch(window, nullptr);
  EXPECT_EQ(window.Messages, std::vector<std::wstring>{L"Velbrook|Not Linked to Norvalt"});
  EXPECT_EQ(window.ProgressMax, 2);
  EXPECT_EQ(window.Positions, std::vector<int>{0});
  EXPECT_TRUE(window.Taskbar.Shown.empty());
}

TEST(BatchRun, AFailingCallEndsTheRunThereAndTheBarKeepsItsPosition) {
  TFakeWindow window;
  window.Chosen = {0, 1, 2};
  TFakeNorvalt norvalt;
  window.Entries = {L"A.NC", L"B.NC", L"C.NC"};
  // Fail when the second file is opened: the first was saved, nothing after the failure runs.
  norvalt.FailAt = {L"Open C:\\NC\\B.NC"};
  try {
    RunBatch(window, &norvalt);
    FAIL() << "the failure did not end the run";
  } catch (const EOleError& e) {
    EXPECT_EQ(e.Message(), L"Norvalt cannot read the file");
  }
  EXPECT_EQ(norvalt.Calls.back(), L"Open C:\\NC\\B.NC");
  EXPECT_EQ(norvalt.Calls[5], L"Save C:\\NC\\A.NC");
  EXPECT_EQ(window.Positions, (std::vector<int>{1, 2, 2}));
  // The taskbar button keeps the failed position in the error state and calls the user.
  EXPECT_EQ(window.Taskbar.Shown, (std::vector<std::wstring>{L"1/3", L"2/3", L"2/3", L"failed", L"flash"}));
  // The error box tells what failed, and the failed file has the focus.
  EXPECT_EQ(window.Messages, std::vector<std::wstring>{L"error box"});
  EXPECT_EQ(window.Focused, 1);

  TFakeNorvalt aborting;
  aborting.FailAt = {L"Load C:\\S\\X.SCR"};
  aborting.Abort = true;
  window.Positions.clear();
  window.Taskbar.Shown.clear();
  window.Messages.clear();
  window.Focused = -1;
  EXPECT_THROW(RunBatch(window, &aborting), EAbort);
  EXPECT_TRUE(window.Positions.empty());
  EXPECT_EQ(window.Taskbar.Shown, (std::vector<std::wstring>{L"0/3", L"flash"}));
  // A silent abort leaves the focus where it is; the error box keeps it silent.
  EXPECT_EQ(window.Messages, std::vector<std::wstring>{L"error box"});
  EXPECT_EQ(window.Focused, -1);
}

TEST(BatchRun, TheScriptPathIsUsedExactlyAsTyped) {
  TFakeWindow window;
  window.Script = L" C:\\S\\X.SCR ";
  window.ExistingFiles = {L" C:\\S\\X.SCR "};
  window.Chosen = {0};
  TFakeNorvalt norvalt;
  RunBatch(window, &norvalt);
  EXPECT_EQ(norvalt.Calls.front(), L"Load  C:\\S\\X.SCR ");
  EXPECT_GE(window.ScriptReads, 2);  // read again for the file check
}

TEST(BatchRun, AStopEndsTheRunBetweenFilesAndTellsHowFarItCame) {
  TFakeWindow window;
  window.Chosen = {0, 1, 2, 3};
  TFakeNorvalt norvalt;
  EXPECT_EQ(RunBatch(window, &norvalt, 2).ExitCode, ecStopped);
  // Each file is treated whole: the stop falls after the second file's save.
  ASSERT_EQ(norvalt.Calls.size(), 11u);
  EXPECT_EQ(norvalt.Calls.back(), L"Save C:\\NC\\B.NC");
  EXPECT_EQ(window.Messages, std::vector<std::wstring>{L"Velbrook|Stopped after 2 of 4 files."});
  EXPECT_EQ(window.Positions, (std::vector<int>{1, 2, 2, 0}));
  EXPECT_EQ(window.Taskbar.Shown, (std::vector<std::wstring>{L"1/4", L"2/4", L"2/4", L"0/4", L"flash"}));

  // A stop asked for before the first file leaves every file untouched.
  norvalt.Calls.clear();
  window.Messages.clear();
  RunBatch(window, &norvalt, 0);
  EXPECT_EQ(norvalt.Calls, std::vector<std::wstring>{L"Load C:\\S\\X.SCR"});
  EXPECT_EQ(window.Messages, std::vector<std::wstring>{L"Velbrook|Stopped after 0 of 4 files."});

  // A stop on the way to closing the program tells nobody.
  window.Messages.clear();
  EXPECT_EQ(RunBatch(window, &norvalt, 1, false, TAfterRun::Close).ExitCode, ecStopped);
  EXPECT_TRUE(window.Messages.empty());
  EXPECT_EQ(window.Positions.back(), 0);
}

TEST(BatchRun, ContinuingAfterErrorsEndsOnlyTheFailingFilesAndReplacesAServerThatHasGone) {
  TFakeWindow window;
  window.Entries = {L"A.NC", L"B.NC", L"C.NC", L"D.NC", L"E.NC", L"F.NC"};
  window.Chosen = {0, 1, 2, 3, 4, 5};
  TFakeNorvalt norvalt;
  norvalt.FailAt = {L"Open C:\\NC\\B.NC", L"Save C:\\NC\\D.NC"};
  const TBatchResult result = RunBatch(window, &norvalt, -1, true);
  const TWalkResult& walk = result.Walk;
  EXPECT_EQ(result.ExitCode, ecSomeFailed);
  EXPECT_EQ(walk.Treated, 4);
  EXPECT_EQ(walk.Reached, 6);
  ASSERT_EQ(walk.Failed.size(), 2u);
  EXPECT_EQ(walk.Failed[0].Index, 1);
  EXPECT_EQ(walk.Failed[1].Index, 3);
  EXPECT_EQ(walk.Failed[1].Error, L"Norvalt cannot read the file.");
  EXPECT_EQ(norvalt.Calls.back(), L"Save C:\\NC\\F.NC");
  EXPECT_EQ(window.Positions.back(), 0);
  // The failed files are left selected, and the summary names them.
  EXPECT_EQ(window.Selected, (std::vector<int>{1, 3}));
  EXPECT_EQ(window.Messages, std::vector<std::wstring>{
                                 L"Velbrook|Treated 4 of 6 files. 2 failed:\r\nB.NC: Norvalt cannot read the file.\r\n"
                                 L"D.NC: Norvalt cannot read the file."});

  // A server that has gone is replaced and handed the script again before the next file.
  TFakeNorvalt dying;
  dying.FailAt = {L"Open C:\\NC\\C.NC"};
  dying.FailStatus = static_cast<long>(0x800706BE);  // the call failed: the server crashed
  window.Chosen = {1, 2, 3};
  RunBatch(window, &dying, -1, true);
  EXPECT_EQ(
      std::vector<std::wstring>(dying.Calls.begin() + 6, dying.Calls.begin() + 10),
      (std::vector<std::wstring>{L"Open C:\\NC\\C.NC", L"Reconnect", L"Load C:\\S\\X.SCR", L"Open C:\\NC\\D.NC"}));

  // A server that ended while Velbrook sat idle is replaced at the script's hand-over, once;
  // a script that Norvalt refuses still ends the run there.
  TFakeNorvalt endedWhileIdle;
  endedWhileIdle.FailAt = {L"Load C:\\S\\X.SCR"};
  endedWhileIdle.FailOnce = true;
  endedWhileIdle.FailStatus = static_cast<long>(0x800706BA);  // the RPC server is unavailable
  EXPECT_EQ(RunBatch(window, &endedWhileIdle, -1, false).Walk.Treated, 3);
  EXPECT_EQ(
      std::vector<std::wstring>(endedWhileIdle.Calls.begin(), endedWhileIdle.Calls.begin() + 4),
      (std::vector<std::wstring>{L"Load C:\\S\\X.SCR", L"Reconnect", L"Load C:\\S\\X.SCR", L"Open C:\\NC\\B.NC"}));
  TFakeNorvalt refusing;
  refusing.FailAt = {L"Load C:\\S\\X.SCR"};
  EXPECT_THROW(RunBatch(window, &refusing, -1, true), EOleError);
  EXPECT_EQ(refusing.Calls, std::vector<std::wstring>{L"Load C:\\S\\X.SCR"});

  // A silent abort still ends the run.
  TFakeNorvalt aborting;
  aborting.FailAt = {L"Open C:\\NC\\C.NC"};
  aborting.Abort = true;
  EXPECT_THROW(RunBatch(window, &aborting, -1, true), EAbort);
  EXPECT_EQ(aborting.Calls.back(), L"Open C:\\NC\\C.NC");

  // So does a failure of the run's own keeping before a save, and that file is not saved.
  TFakeNorvalt unrecorded;
  unrecorded.FailAt = {L"Saving 1"};
  EXPECT_THROW(RunBatch(window, &unrecorded, -1, true), EInOutError);
  EXPECT_EQ(unrecorded.Calls.back(), L"Saving 1");
}

TEST(RunOutcome, AGivenUpRunOrAnEndingSessionTellsOnlyWhatTheUserCanStillReadAndFilesNoLongerListedAreLeftAlone) {
  TFakeWindow window;
  const TRunFiles files{{L"C:\\NC\\A.NC", L"C:\\NC\\B.NC"}, {0, 1}};
  TRunDisplay display(window, 2);
  TRunEnd givenUp;
  givenUp.GivenUp = true;
  givenUp.LastFile = 1;
  EXPECT_EQ(ShowRunEnd(givenUp, TAfterRun::Nothing, files, display, window), ecStopped);
  EXPECT_EQ(window.Messages,
            std::vector<std::wstring>{L"Velbrook|Norvalt did not answer; the run was stopped at C:\\NC\\B.NC."});
  EXPECT_EQ(window.Positions, std::vector<int>{0});
  givenUp.LastFile = -1;
  window.Messages.clear();
  ShowRunEnd(givenUp, TAfterRun::Nothing, files, display, window);
  EXPECT_EQ(window.Messages,
            std::vector<std::wstring>{L"Velbrook|Norvalt did not answer; the run was stopped at the start."});
  window.Messages.clear();
  ShowRunEnd(givenUp, TAfterRun::Close, files, display, window);
  EXPECT_TRUE(window.Messages.empty());

  // A failed backup is the run's own message, not an error box; a session that ends waits for
  // neither.
  TRunEnd backup;
  backup.LastFile = 0;
  backup.Error = std::make_exception_ptr(EBackupFailed(L"A.NC could not be backed up."));
  EXPECT_EQ(ShowRunEnd(backup, TAfterRun::Nothing, files, display, window), ecSomeFailed);
  EXPECT_EQ(window.Messages, std::vector<std::wstring>{L"Velbrook|A.NC could not be backed up."});
  EXPECT_EQ(window.Focused, 0);
  window.Messages.clear();
  ShowRunEnd(backup, TAfterRun::EndSession, files, display, window);
  EXPECT_TRUE(window.Messages.empty());

  // The list shows another folder now: its entries are not the run's files.
  window.Directory = L"C:\\Other";
  window.Focused = -1;
  TRunEnd failed;
  failed.LastFile = 1;
  failed.Walk.Failed = {{0, L"bad"}, {1, L"worse"}};
  EXPECT_EQ(ShowRunEnd(failed, TAfterRun::EndSession, files, display, window), ecSomeFailed);
  EXPECT_TRUE(window.Selected.empty());
  EXPECT_EQ(window.Focused, -1);
  EXPECT_TRUE(window.Messages.empty());
}
