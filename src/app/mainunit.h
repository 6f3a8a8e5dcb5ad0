#pragma once
// The main window: script box, drive, folder and file lists, progress bar, and the
// buttons that run the batch, pick the script and end the program. It lays them out, locks
// them during a run and routes Close and the session's end to the run; the run, the filter
// box, Undo and the link to Norvalt are pieces of their own that it owns.
#include <functional>
#include <memory>
#include <string>

#include "app/norvalt_link.h"
#include "app/run_control.h"
#include "app/time_limit.h"
#include "filelists/list_chain.h"
#include "ui/buttons.h"
#include "ui/form.h"
#include "ui/std_controls.h"

class TDriveComboBox;
class TDirectoryListBox;
class TFileListBox;
class TFilterBox;
class TInteractiveUser;
class TMenuItem;
class TSysPopupMenu;
class TTaskbarButton;
class TUndoCommand;
class TUnattendedRun;

class TMainForm : public TForm, private IRunWindow {
 public:
  // showAbout runs when "About" is chosen in the system menu. With an unattended run, the
  // form carries it out and then closes.
  TMainForm(TComponent* owner, std::function<void()> showAbout, TUnattendedRun* unattended = nullptr);
  ~TMainForm() override;

  const TNorvaltLink& Norvalt() const { return FNorvalt; }
  TFilterBox& Filter() { return *FFilterBox; }
  // Ticks "Continue After Errors" for the next run without storing the setting.
  void ShowContinueAfterErrors(bool checked);
  // The time limit per file for the next run, without storing the setting.
  void UseTimeLimit(const TTimeLimit& limit) { FTimeLimit = limit; }
  // Starts a run of the selected files; false when it did not start (the user was told why).
  bool StartRun();

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
  void FormCreate();
  void GetScriptButtonClick(TComponent* sender);
  void SelectAllButtonClick(TComponent* sender);
  void SelectNoneButtonClick(TComponent* sender);
  void ProcessButtonClick(TComponent* sender);
  void CloseButtonClick(TComponent* sender);
  void UndoItemClick(TComponent* sender);
  void ShowRunsItemClick(TComponent* sender);
  void TimeLimitItemClick(TComponent* sender);
  void ContinueAfterErrorsItemClick(TComponent* sender);
  void AboutItemClick(TComponent* sender);
  void FormClose(TComponent* sender);
  void ComboBox1EnterKey(TComponent* sender);
  void ComboBox1Select(TComponent* sender);
  void ComboBox1Exit(TComponent* sender);

  void make_system_menu();
  void load_settings();
  void save_settings();
  void open_norvalt_folder();
  // A run or an Undo is under way; Stop (the Process button, Esc) ends it after a file.
  bool busy() const;
  void stop();

  // IRunWindow
  void ShowRunning(bool running) override;
  void ShowStatus(const std::wstring& text) override;
  void RunsChanged() override;
  void CloseAfterRun(TAfterRun after) override;

  TListChain FListChain;  // the links between the form's lists
  std::function<void()> FShowAbout;
  TUnattendedRun* FUnattended;  // borrowed from the program's start; null for a person's start
  std::unique_ptr<TInteractiveUser> FInteractiveUser;
  TBorrowed<IUserChannel> FUser;
  std::wstring FDataFolder;
  TNorvaltLink FNorvalt;
  std::unique_ptr<TSysPopupMenu> FSysPopupMenu1;
  // Items of the system menu, which owns them.
  TMenuItem* FUndoItem = nullptr;
  TMenuItem* FContinueAfterErrorsItem = nullptr;
  TTimeLimit FTimeLimit;
  std::unique_ptr<TTaskbarButton> FTaskbarButton;
  std::unique_ptr<IBatchWindow> FBatchWindow;
  std::unique_ptr<TFilterBox> FFilterBox;
  std::unique_ptr<TUndoCommand> FUndo;
  std::unique_ptr<TRunControl> FRun;
  int FEscapeHook = 0;
};
