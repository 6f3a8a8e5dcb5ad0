#pragma once
// The main window: script box, drive, folder and file lists, progress bar, and the
// buttons that run the batch, pick the script and end the program.
#include <wrl/client.h>

#include <memory>
#include <string>

#include "app/batch_run.h"
#include "app/command_line.h"
#include "app/filter_text.h"
#include "app/run_history.h"
#include "app/session_lock.h"
#include "filelists/list_chain.h"
#include "norvalt_h.h"
#include "ui/buttons.h"
#include "ui/form.h"
#include "ui/std_controls.h"
#include "ui/ui_timer.h"

class TDriveComboBox;
class TDirectoryListBox;
class TFileListBox;
class TRunDisplay;
class TRunThread;
class TMenuItem;
class TSysPopupMenu;
class TTaskbarButton;
class TUndoWorker;
struct TRunEnd;
struct TUndoOutcome;

class TMainForm : public TForm {
 public:
  // showAbout runs when "About" is chosen in the system menu.
  // With a command line, the form carries out that unattended run and then closes.
  TMainForm(TComponent* owner, std::function<void()> showAbout, std::optional<TCommandLine> unattended = {});
  ~TMainForm() override;

  // True once a run was given up while Norvalt did not answer: releasing Norvalt's object
  // then would wait for as long as Norvalt hangs, so the program ends without releasing it.
  bool NorvaltUnanswered() const { return FNorvaltUnanswered; }
  // How an unattended run ended (TExitCode).
  int ExitCode() const { return FExitCode; }

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  TEdit& ScriptFileEdit;
  TSpeedButton& GetScriptButton;
  TProgressBar& ProgressBar1;
  TLabel& RunStatusLabel;
  TDriveComboBox& DriveComboBox1;
  TDirectoryListBox& DirectoryListBox1;
  TComboBox& ComboBox1;
  TFileListBox& FileListBox1;
  TButton& SelectAllButton;
  TButton& SelectNoneButton;
  TBitBtn& ProcessButton;
  TBitBtn& CloseButton;

 private:
  // What ends the program once the run under way has stopped.
  enum class TAfterRun { Nothing, Close, CloseSavingSettings, EndSession };

  void FormCreate();
  void GetScriptButtonClick(TComponent* sender);
  void SelectAllButtonClick(TComponent* sender);
  void SelectNoneButtonClick(TComponent* sender);
  void ProcessButtonClick(TComponent* sender);
  void CloseButtonClick(TComponent* sender);
  void UndoLastRun1Click(TComponent* sender);
  void undo_ended(const TUndoOutcome& outcome);
  void ShowRuns1Click(TComponent* sender);
  void ContinueAfterErrors1Click(TComponent* sender);
  void About1Click(TComponent* sender);
  void FormClose(TComponent* sender);
  void ComboBox1EnterKey(TComponent* sender);
  void ComboBox1Select(TComponent* sender);
  void ComboBox1Exit(TComponent* sender);

  void load_settings();
  void save_settings();
  // The filter box's text becomes the file list's mask, or is refused with a message.
  void apply_filter(const std::wstring& typed);
  // Lists with filter, makes it the newest recent one and shows it in the box.
  void use_filter(const TFilter& filter);
  void link_to_norvalt();
  void start_unattended();
  void end_unattended(int exitCode, const std::wstring& problem);
  // The program's message, or for an unattended run a line on the parent's console.
  void tell(const std::wstring& title, const std::wstring& text);
  void open_norvalt_folder();

  void start_run();
  void run_file_starting(int index);
  void run_ended(const TRunEnd& end);
  void watch_run();
  // Stop after the current file, or at once when Norvalt has not answered for long.
  void stop_run();
  void abandon_run();
  void report_run_error(const std::exception_ptr& error);
  std::wstring failure_summary(const TWalkResult& walk) const;
  void select_only_failed(const std::vector<TFileFailure>& failed);
  // The file list's entry of the run's file at index, or -1 when the list shows other files now.
  int listed_entry(int index);
  // Gives the run's file at index the file list's focus, in view, the selection unchanged.
  void show_file(int index);
  // Offers the newest run that can be undone, unless a run goes on.
  void refresh_undo();
  // The run's window state: controls locked, Process reading Stop, the status line.
  void show_running(bool running);
  void finish_run();
  // Asks whether to stop the run and close; true when the program is to close now.
  bool confirm_close_during_run(TAfterRun how);
  void close_after_run(TAfterRun how);

  TListChain FListChain;  // the links between the form's lists
  std::function<void()> FShowAbout;
  std::optional<TCommandLine> FUnattended;
  int FExitCode = ecTreated;
  std::wstring FDataFolder;
  Microsoft::WRL::ComPtr<INorvaltx> FNorvalt;
  bool FNorvaltUnanswered = false;
  bool FNorvaltGone = false;  // its server died: the next run makes a new object
  std::unique_ptr<TSysPopupMenu> FSysPopupMenu1;
  TMenuItem* FUndoItem = nullptr;
  TMenuItem* FContinueAfterErrorsItem = nullptr;
  std::optional<TUndoableRun> FUndoRun;
  std::unique_ptr<TTaskbarButton> FTaskbarButton;
  std::unique_ptr<IBatchWindow> FBatchWindow;
  std::wstring FFilter;  // in force, as the box shows it
  TRecentFilters FRecentFilters;
  // The box's text when it was last applied or refused: leaving the box applies only a change.
  std::wstring FHandledFilterText;

  // The run under way, if any.
  std::unique_ptr<TRunThread> FRun;
  std::unique_ptr<TRunDisplay> FRunDisplay;
  std::vector<std::wstring> FRunFiles;
  std::vector<int> FRunEntries;  // the file list's entry of each file
  bool FStopRequested = false;
  TAfterRun FAfterRun = TAfterRun::Nothing;
  TSessionLock FRunLock;
  TUITimer FRunWatch;
  int FEscapeHook = 0;
  // The Undo under way, if any; it holds the run lock as a run does.
  std::unique_ptr<TUndoWorker> FUndo;
};
