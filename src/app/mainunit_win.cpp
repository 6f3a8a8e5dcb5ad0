#include "app/mainunit.h"

#include "app/batch_run.h"
#include "app/parent_console.h"
#include "app/run_history.h"
#include "app/run_keeper.h"
#include "app/run_texts.h"
#include "app/run_thread.h"
#include "app/taskbar_button.h"
#include "app/undo_worker.h"
#include "automation/norvalt_tlb.h"
#include "base/errors.h"
#include "dialogs/my_file_ops.h"
#include "dialogs/mymessage.h"
#include "dialogs/sys_menu_win.h"
#include "filelists/directory_list_box.h"
#include "filelists/drive_combo_box.h"
#include "filelists/file_list_box.h"
#include "filelists/list_registration.h"
#include "filelists/paths.h"
#include "identity/my_app_data.h"
#include "identity/regtypes.h"
#include "identity/settings_file.h"
#include "platform/file_checks.h"
#include "platform/run_files.h"
#include "ui/application.h"
#include "ui/dispatcher.h"
#include "ui/error_text.h"
#include "ui/ui_thread_call.h"

namespace {

// How long one Norvalt call may go unanswered before the window says so and Stop stops
// without waiting for it.
constexpr unsigned long long kUnansweredMs = 30000;

constexpr wchar_t kRunLockName[] = L"Velbrook.Run";
constexpr wchar_t kContinueAfterErrorsKey[] = L"ContinueAfterErrors";
constexpr wchar_t kFilterKey[] = L"Filter";
constexpr wchar_t kRecentFiltersKey[] = L"RecentFilters";

// The main window seen by the batch run.
class TMainBatchWindow : public IBatchWindow {
 public:
  TMainBatchWindow(TEdit& script, TFileListBox& files, TProgressBar& progress, ITaskbarButton& taskbar,
                   std::function<void(const std::wstring&, const std::wstring&)> tell)
      : FScript(script), FFiles(files), FProgress(progress), FTaskbar(taskbar), FTell(std::move(tell)) {}
  std::wstring ScriptPath() override { return FScript.Text(); }
  int SelCount() override { return FFiles.SelCount(); }
  int EntryCount() override { return FFiles.Count(); }
  bool EntrySelected(int index) override { return FFiles.Selected(index); }
  std::wstring EntryText(int index) override { return FFiles.Item(index); }
  std::wstring Folder() override { return FFiles.Directory(); }
  std::wstring Mask() override { return FFiles.Model().Mask(); }
  bool ScriptFileExists(const std::wstring& path) override { return FileExistsFollowingLinks(path); }
  void SetProgressMax(int max) override { FProgress.SetMax(max); }
  void SetProgressPosition(int position) override { FProgress.SetPosition(position); }
  void ShowMessage(const std::wstring& title, const std::wstring& text) override { FTell(title, text); }
  ITaskbarButton& TaskbarButton() override { return FTaskbar; }

 private:
  TEdit& FScript;
  TFileListBox& FFiles;
  TProgressBar& FProgress;
  ITaskbarButton& FTaskbar;
  std::function<void(const std::wstring&, const std::wstring&)> FTell;
};

}  // namespace

TMainForm::TMainForm(TComponent* owner, std::function<void()> showAbout, std::optional<TCommandLine> unattended)
    : TForm(owner),
      // The layout is read, its handlers bound, before the members bind to its controls.
      ScriptFileEdit(LoadLayout(L"TMAINFORM",
                                {
                                    {L"GetScriptButtonClick", Bind(this, &TMainForm::GetScriptButtonClick)},
                                    {L"SelectAllButtonClick", Bind(this, &TMainForm::SelectAllButtonClick)},
                                    {L"SelectNoneButtonClick", Bind(this, &TMainForm::SelectNoneButtonClick)},
                                    {L"ProcessButtonClick", Bind(this, &TMainForm::ProcessButtonClick)},
                                    {L"CloseButtonClick", Bind(this, &TMainForm::CloseButtonClick)},
                                    {L"FormClose", Bind(this, &TMainForm::FormClose)},
                                    {L"ComboBox1EnterKey", Bind(this, &TMainForm::ComboBox1EnterKey)},
                                    {L"ComboBox1Select", Bind(this, &TMainForm::ComboBox1Select)},
                                    {L"ComboBox1Exit", Bind(this, &TMainForm::ComboBox1Exit)},
                                })
                         .Control<TEdit>(L"ScriptFileEdit")),
      GetScriptButton(Control<TSpeedButton>(L"GetScriptButton")),
      ProgressBar1(Control<TProgressBar>(L"ProgressBar1")),
      RunStatusLabel(Control<TLabel>(L"RunStatusLabel")),
      DriveComboBox1(Control<TDriveComboBox>(L"DriveComboBox1")),
      DirectoryListBox1(Control<TDirectoryListBox>(L"DirectoryListBox1")),
      ComboBox1(Control<TComboBox>(L"ComboBox1")),
      FileListBox1(Control<TFileListBox>(L"FileListBox1")),
      SelectAllButton(Control<TButton>(L"SelectAllButton")),
      SelectNoneButton(Control<TButton>(L"SelectNoneButton")),
      ProcessButton(Control<TBitBtn>(L"ProcessButton")),
      CloseButton(Control<TBitBtn>(L"CloseButton")),
      FShowAbout(std::move(showAbout)),
      FUnattended(std::move(unattended)) {
  LinkLists(FListChain, DriveComboBox1, DirectoryListBox1, FileListBox1);
  // The system menu's items and the taskbar button join once the window exists.
  FTaskbarButton = std::make_unique<TTaskbarButton>(Handle());
  FBatchWindow = std::make_unique<TMainBatchWindow>(
      ScriptFileEdit, FileListBox1, ProgressBar1, *FTaskbarButton,
      [this](const std::wstring& title, const std::wstring& text) { tell(title, text); });
  FSysPopupMenu1 = std::make_unique<TSysPopupMenu>(Handle());
  auto item = [this](const wchar_t* caption, std::function<void()> onClick) -> TMenuItem& {
    auto added = std::make_unique<TMenuItem>();
    added->Caption = caption;
    added->OnClick = std::move(onClick);
    return FSysPopupMenu1->Items.Add(std::move(added));
  };
  FUndoItem = &item(L"Undo Last Run\u2026", [this] { UndoLastRun1Click(this); });
  item(L"Show Runs", [this] { ShowRuns1Click(this); });
  FContinueAfterErrorsItem = &item(L"Continue After Errors", [this] { ContinueAfterErrors1Click(this); });
  item(L"About", [this] { About1Click(this); });
  FSysPopupMenu1->Loaded();
  FRunWatch.SetInterval(1000);
  FRunWatch.SetOnTimer([this] { watch_run(); });
  // Esc stops a run or an Undo, wherever the focus is in the window.
  FEscapeHook = Application().AddMessageHook([this](MSG& msg, bool& handled) {
    if ((!FRun && !FUndo) || msg.message != WM_KEYDOWN || msg.wParam != VK_ESCAPE) return;
    if (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd)) return;
    handled = true;
    if (FUndo)
      FUndo->RequestStop();
    else
      stop_run();
  });
  // An error inside the start sequence is reported and the window is still created.
  RunGuarded([this] { FormCreate(); });
}

TMainForm::~TMainForm() { Application().RemoveMessageHook(FEscapeHook); }

void TMainForm::FormCreate() {
  FDataFolder = GetDataFolder();
  ComboBox1.SetTextHint(L"Filter *.*");
  load_settings();
  refresh_undo();
  link_to_norvalt();
  if (!FNorvalt) return;
  if (FUnattended) {
    // Norvalt is given the same time to come up; the run starts once the window shows.
    Sleep(2000);
    PostToUIThread([this] { start_unattended(); });
    return;
  }
  open_norvalt_folder();
}

void TMainForm::start_unattended() {
  try {
    OpenStartFolder(DriveComboBox1, DirectoryListBox1, FUnattended->Folder);
    use_filter(*ParseFilter(FUnattended->Mask));
  } catch (const Exception& e) {
    end_unattended(ecBadArguments, e.Message());
    return;
  }
  FileListBox1.SelectAll();
  if (FileListBox1.SelCount() == 0) {
    end_unattended(ecNothingMatched, L"No file in " + FUnattended->Folder + L" matches " + FUnattended->Mask + L".");
    return;
  }
  ScriptFileEdit.SetText(FUnattended->Script);
  // For this run only: the setting stays as it is stored.
  FContinueAfterErrorsItem->Checked = FUnattended->ContinueAfterErrors;
  FSysPopupMenu1->Refresh(*FContinueAfterErrorsItem);
  start_run();
  if (!FRun) end_unattended(FExitCode, L"");
}

void TMainForm::end_unattended(int exitCode, const std::wstring& problem) {
  if (!problem.empty()) WriteToParentConsole(problem);
  FExitCode = exitCode;
  Close();
}

void TMainForm::tell(const std::wstring& title, const std::wstring& text) {
  // An unattended run shows no box: nobody may be there to close it.
  if (FUnattended)
    WriteToParentConsole(text);
  else
    MyMess(title, text, 0);
}

void TMainForm::link_to_norvalt() {
  try {
    FNorvalt = CoNorvaltx::Create();
  } catch (...) {
    tell(L"Error:", L"Can't Link to Norvalt\r\nNorvalt Needs to be Installed");
    FExitCode = ecNotLinked;
    Application().Terminate();
  }
}

void TMainForm::open_norvalt_folder() {
  // Norvalt is given time to come up before it is asked anything.
  Sleep(2000);
  const std::wstring folder = TNorvalt(FNorvalt).GetFolder(-2);
  OpenStartFolder(DriveComboBox1, DirectoryListBox1, folder);
}

void TMainForm::load_settings() {
  ScriptFileEdit.SetText(ReadScriptFileSetting(FDataFolder));
  FContinueAfterErrorsItem->Checked = ReadSetting(FDataFolder, kContinueAfterErrorsKey) == L"1";
  FSysPopupMenu1->Refresh(*FContinueAfterErrorsItem);
  FRecentFilters = TRecentFilters::FromStored(ReadSetting(FDataFolder, kRecentFiltersKey));
  // The file list reads its folder when the window first shows: with this filter by then.
  use_filter(ParseFilter(ReadSetting(FDataFolder, kFilterKey)).value_or(TFilter{}));
}

void TMainForm::save_settings() {
  if (FUnattended) return;  // an unattended run changes no setting
  // The start sequence may have failed before it found the data folder: look again, and let
  // a second failure reach the error box rather than write the file anywhere else.
  if (FDataFolder.empty()) FDataFolder = GetDataFolder();
  WriteScriptFileSetting(FDataFolder, ScriptFileEdit.Text());
  // A file of a user who never filtered keeps the lines it always had.
  if (FRecentFilters.Items().empty()) return;
  WriteSetting(FDataFolder, kFilterKey, FFilter);
  WriteSetting(FDataFolder, kRecentFiltersKey, FRecentFilters.Stored());
}

void TMainForm::apply_filter(const std::wstring& typed) {
  // Set first: the message takes the focus from the box, which must not report it again.
  FHandledFilterText = typed;
  const std::optional<TFilter> filter = ParseFilter(typed);
  if (!filter) {
    MyMess(L"Invalid filter", typed, 0);
    return;
  }
  use_filter(*filter);
}

void TMainForm::use_filter(const TFilter& filter) {
  FileListBox1.SetMask(filter.Mask());
  FFilter = filter.Text;
  FRecentFilters.Use(FFilter);
  // Emptying the list empties the box's text too: the text follows.
  ComboBox1.ClearItems();
  for (const std::wstring& recent : FRecentFilters.Items()) ComboBox1.AddItem(recent);
  // The filter in force is the newest entry: the arrow keys step on from there.
  ComboBox1.SetItemIndex(FFilter.empty() ? -1 : 0);
  ComboBox1.SetText(FFilter);
  FHandledFilterText = FFilter;
}

void TMainForm::ComboBox1EnterKey(TComponent*) { apply_filter(ComboBox1.Text()); }

void TMainForm::ComboBox1Select(TComponent*) { apply_filter(ComboBox1.Text()); }

void TMainForm::ComboBox1Exit(TComponent*) {
  if (ComboBox1.Text() != FHandledFilterText) apply_filter(ComboBox1.Text());
}

void TMainForm::GetScriptButtonClick(TComponent*) {
  const std::wstring chosen = PickFile(L"NC", L"", L"", Handle());
  if (!chosen.empty()) ScriptFileEdit.SetText(chosen);
}

void TMainForm::SelectAllButtonClick(TComponent*) { FileListBox1.SelectAll(); }

void TMainForm::SelectNoneButtonClick(TComponent*) { FileListBox1.ClearSelection(); }

void TMainForm::ProcessButtonClick(TComponent*) {
  if (FUndo)
    FUndo->RequestStop();
  else if (FRun)
    stop_run();
  else
    start_run();
}

void TMainForm::start_run() {
  std::optional<TRunPlan> plan = PlanRun(*FBatchWindow);
  if (!plan) return;
  plan->ContinueAfterErrors = FContinueAfterErrorsItem->Checked;
  auto display = std::make_unique<TRunDisplay>(*FBatchWindow, static_cast<int>(plan->Files.size()));
  if (!FNorvalt) {
    display->NotLinked();
    return;
  }
  // Norvalt works on the file it opened last, so two runs must never interleave their calls.
  TSessionLock lock(kRunLockName);
  if (!lock.Held()) {
    tell(L"Velbrook", L"Another Velbrook run is in progress.");
    FExitCode = ecAnotherRun;
    return;
  }
  FRunFiles = plan->Files;
  TRunEvents events;
  events.FileStarting = [this](int index) { run_file_starting(index); };
  events.NewServer = [this](Microsoft::WRL::ComPtr<INorvaltx> server) {
    // An unanswered object is let go without a release, which would wait for it.
    if (FNorvaltUnanswered) FNorvalt.Detach();
    FNorvalt = std::move(server);
    FNorvaltUnanswered = FNorvaltGone = false;
  };
  events.Ended = [this](const TRunEnd& end) { run_ended(end); };
  // A Norvalt that stopped answering, or whose server has gone, gets a new object, made by
  // the worker.
  FRunEntries = plan->Entries;
  INorvaltx* server = FNorvaltUnanswered || FNorvaltGone ? nullptr : FNorvalt.Get();
  FRun = std::make_unique<TRunThread>(std::move(*plan), server, std::move(events));
  FRunLock = std::move(lock);
  FRunDisplay = std::move(display);
  FStopRequested = false;
  show_running(true);
  refresh_undo();
}

void TMainForm::run_file_starting(int index) {
  FRunDisplay->FileStarting(index);
  if (!FStopRequested)
    RunStatusLabel.SetCaption(L"Treating " + FileNameOf(FRunFiles[static_cast<std::size_t>(index)]) + L" (" +
                              std::to_wstring(index + 1) + L" of " + std::to_wstring(FRunFiles.size()) + L")");
}

void TMainForm::show_running(bool running) {
  for (TWinControl* control :
       std::initializer_list<TWinControl*>{&ScriptFileEdit, &GetScriptButton, &DriveComboBox1, &DirectoryListBox1,
                                           &ComboBox1, &FileListBox1, &SelectAllButton, &SelectNoneButton})
    control->SetEnabled(!running);
  ProcessButton.SetCaption(running ? L"Stop" : L"Process");
  ProcessButton.SetGlyph(running ? L"STOP24" : L"PROCESS24");
  RunStatusLabel.SetCaption(L"");
  FRunWatch.SetEnabled(running);
  // The focus may have sat on a control that is now locked; Stop takes it, so Space stops.
  if (running) ProcessButton.SetFocus();
}

void TMainForm::finish_run() {
  FRun.reset();
  FRunLock = TSessionLock();
  show_running(false);
}

void TMainForm::run_ended(const TRunEnd& end) {
  finish_run();
  const std::unique_ptr<TRunDisplay> display = std::move(FRunDisplay);
  const TAfterRun after = std::exchange(FAfterRun, TAfterRun::Nothing);
  // The progress shown may lag behind a fast run; a failure shows where it happened.
  if (end.LastFile >= 0) display->FileStarting(end.LastFile);
  refresh_undo();
  // A session that ends waits for no box.
  const bool tellUser = after != TAfterRun::EndSession;
  FExitCode = end.Error                 ? (IsAbort(end.Error) ? ecStopped : ecSomeFailed)
              : end.Stopped             ? ecStopped
              : end.Walk.Failed.empty() ? ecTreated
                                        : ecSomeFailed;
  if (end.Error) {
    FNorvaltGone = IsServerGone(end.Error);
    const bool abort = IsAbort(end.Error);
    display->Failed(abort);
    if (!abort && end.LastFile >= 0) show_file(end.LastFile);
    if (tellUser) report_run_error(end.Error);
  } else if (end.Stopped) {
    display->Stopped(end.Walk.Treated, after == TAfterRun::Nothing);
  } else {
    display->Completed();
  }
  if (!end.Walk.Failed.empty()) {
    select_only_failed(end.Walk.Failed);
    if (tellUser) tell(L"Velbrook", failure_summary(end.Walk));
  }
  close_after_run(after);
}

void TMainForm::report_run_error(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const EBackupFailed& e) {
    tell(L"Velbrook", e.Message());
  } catch (...) {
    if (FUnattended)
      tell(L"Velbrook", ExceptionText(error));
    else
      ShowException(error);
  }
}

std::wstring TMainForm::failure_summary(const TWalkResult& walk) const {
  std::vector<std::pair<std::wstring, std::wstring>> failed;
  for (const TFileFailure& failure : walk.Failed)
    failed.emplace_back(FRunFiles[static_cast<std::size_t>(failure.Index)], failure.Error);
  return FailureSummary(walk.Treated, static_cast<int>(FRunFiles.size()), failed);
}

void TMainForm::select_only_failed(const std::vector<TFileFailure>& failed) {
  TFileListModel& files = FileListBox1.Model();
  files.ClearSelection();
  for (const TFileFailure& failure : failed)
    if (const int entry = listed_entry(failure.Index); entry >= 0) files.Click(entry, false, true);
}

int TMainForm::listed_entry(int index) {
  const TFileListModel& files = FileListBox1.Model();
  const int entry = FRunEntries[static_cast<std::size_t>(index)];
  // Only while the list still shows what the run was given.
  const bool same = entry < files.Count() &&
                    JoinPath(files.Directory(), files.Item(entry)) == FRunFiles[static_cast<std::size_t>(index)];
  return same ? entry : -1;
}

void TMainForm::show_file(int index) {
  const int entry = listed_entry(index);
  if (entry < 0) return;
  FileListBox1.Model().MoveTo(entry, false, true);
  FileListBox1.SetFocus();
}

void TMainForm::stop_run() {
  if (!FRun) return;
  if (FRun->PendingCallMs() >= kUnansweredMs) {
    abandon_run();
    return;
  }
  FRun->RequestStop();
  FStopRequested = true;
  RunStatusLabel.SetCaption(L"Stopping after the current file\u2026");
}

void TMainForm::abandon_run() {
  const int file = FRun->FileIndex();
  const std::wstring path = file >= 0 ? FRunFiles[static_cast<std::size_t>(file)] : std::wstring();
  FRun->Abandon();
  FNorvaltUnanswered = true;
  finish_run();
  const std::unique_ptr<TRunDisplay> display = std::move(FRunDisplay);
  const TAfterRun after = std::exchange(FAfterRun, TAfterRun::Nothing);
  display->Stopped(file, false);
  if (after == TAfterRun::Nothing) tell(L"Velbrook", UnansweredText(path.empty() ? L"the start" : path));
  FExitCode = ecStopped;
  close_after_run(after);
}

void TMainForm::watch_run() {
  if (!FRun) return;
  const unsigned long long waited = FRun->PendingCallMs();
  if (waited < kUnansweredMs) return;
  // A program that is to close does not wait for a Norvalt that does not answer.
  if (FAfterRun != TAfterRun::Nothing) {
    abandon_run();
    return;
  }
  RunStatusLabel.SetCaption(WaitingText(static_cast<unsigned>(waited / 1000)));
}

bool TMainForm::confirm_close_during_run(TAfterRun how) {
  if (FAfterRun != TAfterRun::Nothing) return false;  // already closing once the run stops
  // Closing the window of an unattended run stops it: nobody is asked.
  const bool yes =
      FUnattended ||
      MyMess(L"Velbrook", L"A run is in progress. Stop it after the current file and close Velbrook?", 1) == mrYes;
  if (!yes) return false;
  // The run may have ended while the question was open.
  if (!FRun) return true;
  FAfterRun = how;
  stop_run();
  return false;
}

void TMainForm::close_after_run(TAfterRun how) {
  switch (how) {
    case TAfterRun::Nothing:
      // An unattended run ends the program with its run.
      if (!FUnattended) return;
      break;
    case TAfterRun::CloseSavingSettings: save_settings(); break;
    case TAfterRun::EndSession:
      save_settings();
      ShutdownBlockReasonDestroy(Handle());
      break;
    case TAfterRun::Close: break;
  }
  Close();
}

void TMainForm::CloseButtonClick(TComponent*) {
  if (FRun && !confirm_close_during_run(TAfterRun::CloseSavingSettings)) return;
  save_settings();
  Close();
}

LRESULT TMainForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
      if (FRun && !confirm_close_during_run(TAfterRun::Close)) return 0;
      break;
    case WM_QUERYENDSESSION:
      if (!FRun) break;
      // The file under way is finished first; the program then closes and lets the session end.
      ShutdownBlockReasonCreate(Handle(), L"Processing NC files");
      FAfterRun = TAfterRun::EndSession;
      stop_run();
      return FALSE;
    default: break;
  }
  return TForm::WndProc(msg, wParam, lParam);
}

void TMainForm::refresh_undo() {
  FUndoRun = FRun || FUndo ? std::nullopt : FindUndoableRun();
  FUndoItem->Enabled = FUndoRun.has_value();
  FSysPopupMenu1->Refresh(*FUndoItem);
}

void TMainForm::UndoLastRun1Click(TComponent*) {
  if (FRun || FUndo || !FUndoRun) return;
  TUndoableRun run = *FUndoRun;
  const std::wstring question =
      UndoQuestion(UndoableCount(run.Record), run.Record.Started, UnknownOutcomesOf(run, DiskRunStore()));
  if (MyMess(L"Velbrook", question, 1) != mrYes) return;
  // Undo writes the files a run wrote: no run may be at them meanwhile.
  TSessionLock lock(kRunLockName);
  if (!lock.Held()) {
    MyMess(L"Velbrook", L"Another Velbrook run is in progress.", 0);
    return;
  }
  TUndoEvents events;
  events.Progress = [this](int done, int total) {
    ProgressBar1.SetMax(total);
    ProgressBar1.SetPosition(done);
  };
  events.Ended = [this](const TUndoOutcome& outcome) { undo_ended(outcome); };
  FUndo = std::make_unique<TUndoWorker>(std::move(run), std::move(events));
  FRunLock = std::move(lock);
  show_running(true);
  refresh_undo();
}

void TMainForm::undo_ended(const TUndoOutcome& outcome) {
  FUndo.reset();
  FRunLock = TSessionLock();
  show_running(false);
  ProgressBar1.SetPosition(0);
  refresh_undo();
  MyMess(L"Velbrook", UndoResultText(outcome), 0);
}

void TMainForm::ShowRuns1Click(TComponent*) { OpenInExplorer(RunsFolder()); }

void TMainForm::ContinueAfterErrors1Click(TComponent*) {
  TMenuItem& item = *FContinueAfterErrorsItem;
  item.Checked = !item.Checked;
  FSysPopupMenu1->Refresh(item);
  WriteSetting(FDataFolder, kContinueAfterErrorsKey, item.Checked ? L"1" : L"0");
}

void TMainForm::About1Click(TComponent*) {
  if (FShowAbout) FShowAbout();
}

void TMainForm::FormClose(TComponent*) {}
