#pragma once
// The batch run behind "Process", in three pieces: the plan, made on the UI thread from what
// the main window shows when the button is pressed; the walk over the plan, which a worker
// thread carries out against Norvalt; and what the window shows of the walk as it goes.
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "app/time_limit.h"

#include "base/errors.h"

// A file could not be backed up, so it was not handed to Norvalt; the run ends.
class EBackupFailed : public Exception {
 public:
  using Exception::Exception;
};

// The program's button on the taskbar, which mirrors a run for a user who works elsewhere.
class ITaskbarButton {
 public:
  virtual ~ITaskbarButton() = default;
  // Progress in the normal state; position 0 shows none.
  virtual void ShowProgress(int position, int max) = 0;
  // The run failed: the progress stays where it stopped, in the error state.
  virtual void ShowFailure() = 0;
  // Flashes the button until the user comes back, unless the window is in front already.
  virtual void FlashUnlessInFront() = 0;
};

// What the run reads from the main window and shows on it.
class IBatchWindow {
 public:
  virtual ~IBatchWindow() = default;
  virtual std::wstring ScriptPath() = 0;
  virtual int SelCount() = 0;
  virtual int EntryCount() = 0;
  virtual bool EntrySelected(int index) = 0;
  virtual std::wstring EntryText(int index) = 0;
  virtual std::wstring Folder() = 0;
  // The file list's patterns, for the run's record.
  virtual std::wstring Mask() = 0;
  // True when a file (not a folder) exists at the path, links followed.
  virtual bool ScriptFileExists(const std::wstring& path) = 0;
  virtual void SetProgressMax(int max) = 0;
  virtual void SetProgressPosition(int position) = 0;
  // The program's message dialog with message type 0.
  virtual void ShowMessage(const std::wstring& title, const std::wstring& text) = 0;
  // The error box for an error that ended a run.
  virtual void ReportError(const std::exception_ptr& error) = 0;
  // Leaves exactly these file list entries selected.
  virtual void SelectOnlyEntries(const std::vector<int>& entries) = 0;
  // Gives the entry the file list's focus, in view, the selection unchanged.
  virtual void FocusEntry(int entry) = 0;
  virtual ITaskbarButton& TaskbarButton() = 0;
};

// The Norvalt operations of a run; each raises the program's exceptions on failure.
class INcProcessor {
 public:
  virtual ~INcProcessor() = default;
  virtual void LoadScript(const std::wstring& path) = 0;
  virtual void OpenNcFile(const std::wstring& path) = 0;
  virtual void ScriptStep1() = 0;
  virtual void ScriptStep2() = 0;
  virtual void SaveNcFileAs(const std::wstring& path) = 0;
  // Makes a new Norvalt object in place of one whose server has gone.
  virtual void Reconnect() = 0;
};

// Everything a run needs, read once from the window: later input cannot change it.
struct TRunPlan {
  std::wstring Script;
  std::wstring Folder, Mask;
  std::vector<std::wstring> Files;  // full paths of the selected entries, in display order
  std::vector<int> Entries;         // the list entry of each file
  // A failing file ends only itself, and the run goes on with the next.
  bool ContinueAfterErrors = false;
};

// Checks the script and the selection in order, telling the user of the first problem;
// then sets the progress bar's maximum and returns the plan.
std::optional<TRunPlan> PlanRun(IBatchWindow& window);

// What the walk tells as it goes; StopRequested is asked before each file.
class IRunProgress {
 public:
  virtual ~IRunProgress() = default;
  // Before Norvalt is handed the file; an exception from here ends the run untouched.
  virtual void FileStarting(int index) = 0;
  // Norvalt has treated the file and is about to save over it; an exception from here ends
  // the run with the file untouched.
  virtual void FileSaving(int index) = 0;
  // The file was treated (error null) or failed with the error's text.
  virtual void FileEnded(int index, const std::wstring* error) = 0;
  virtual bool StopRequested() = 0;
};

struct TFileFailure {
  int Index;
  std::wstring Error;  // as the error box words it
};

struct TWalkResult {
  int Treated = 0;
  int Reached = 0;  // files handed to Norvalt, treated or failed
  std::vector<TFileFailure> Failed;
};

// Has Norvalt load the script once, then open, treat and save every file of the plan. A
// stop is honoured only between files, so each file is treated whole or not at all. A
// failing call ends the walk by its exception, unless the plan continues after errors: then
// it ends that file only (a silent abort still ends the walk), and a server that has gone is
// replaced and handed the script again before the next file.
TWalkResult TreatFiles(const TRunPlan& plan, INcProcessor& norvalt, IRunProgress& progress);

// True for the silent abort, which ends a run without a word.
bool IsAbort(const std::exception_ptr& error);
// True when the error says that Norvalt's server has gone.
bool IsServerGone(const std::exception_ptr& error);

// What the window shows of a run, step by step, on the UI thread: the progress bar, the
// taskbar button, and the closing message or reset.
class TRunDisplay {
 public:
  TRunDisplay(IBatchWindow& window, int fileCount) : FWindow(window), FCount(fileCount) {}
  void FileStarting(int index);
  void Completed();
  // Stopped by the user after `treated` files, which the message tells.
  void Stopped(int treated);
  // Stopped without a message: the program is about to close, or the run was given up.
  void StoppedSilently();
  // A failing call ended the run; the bar keeps its position until the next run.
  void Failed(bool silentAbort);
  // Not linked to Norvalt: the user is told, nothing was handed over.
  void NotLinked();

 private:
  void call_user_back(int position);

  IBatchWindow& FWindow;
  int FCount;
};

std::wstring StoppedText(int treated, int count);
// Shown while one Norvalt call has gone unanswered for a long time; with limitEndsIn, when the
// file's time limit will end it.
std::wstring WaitingText(unsigned seconds, std::optional<long long> limitEndsInSeconds = std::nullopt);
std::wstring UnansweredText(const std::wstring& path);
// A file whose Norvalt Velbrook ended as the file passed its time limit.
std::wstring CutOffText(const TTimeLimit& limit);
// A run given up as a file passed its time limit with a Norvalt that Velbrook did not start.
std::wstring LeftRunningText(const std::wstring& path, const TTimeLimit& limit);
