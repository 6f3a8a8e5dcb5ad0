#include "app/mainunit.h"

#include "app/batch_window.h"
#include "app/filter_box.h"
#include "app/taskbar_button.h"
#include "app/time_limit_box.h"
#include "app/unattended_run.h"
#include "app/undo_command.h"
#include "dialogs/my_file_ops.h"
#include "dialogs/sys_menu_win.h"
#include "filelists/directory_list_box.h"
#include "filelists/drive_combo_box.h"
#include "filelists/file_list_box.h"
#include "filelists/list_registration.h"
#include "identity/my_app_data.h"
#include "identity/settings_file.h"
#include "platform/run_files.h"
#include "ui/application.h"
#include "ui/dispatcher.h"

namespace {

constexpr wchar_t kContinueAfterErrorsKey[] = L"ContinueAfterErrors";
constexpr wchar_t kTimeLimitKey[] = L"FileTimeLimit";

}  // namespace

TMainForm::TMainForm(TComponent* owner, std::function<void()> showAbout, TUnattendedRun* unattended)
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
      FUnattended(unattended),
      FInteractiveUser(unattended ? nullptr : std::make_unique<TInteractiveUser>()),
      FUser(unattended ? unattended->User() : static_cast<IUserChannel&>(*FInteractiveUser)) {
  LinkLists(FListChain, DriveComboBox1, DirectoryListBox1, FileListBox1);
  // The system menu's items and the taskbar button join once the window exists.
  FTaskbarButton = std::make_unique<TTaskbarButton>(Handle());
  FBatchWindow =
      std::make_unique<TMainBatchWindow>(ScriptFileEdit, FileListBox1, ProgressBar1, *FTaskbarButton, *FUser);
  make_system_menu();
  FFilterBox = std::make_unique<TFilterBox>(ComboBox1, FileListBox1, *FUser);
  FUndo = std::make_unique<TUndoCommand>(*FUndoItem, *FSysPopupMenu1, *FUser, static_cast<IRunWindow&>(*this),
                                         *FBatchWindow);
  FRun = std::make_unique<TRunControl>(FNorvalt, *FBatchWindow, static_cast<IRunWindow&>(*this), *FUser);
  // Esc stops a run, wherever the focus is in the window.
  FEscapeHook = Application().AddMessageHook([this](MSG& msg, bool& handled) {
    if (!busy() || msg.message != WM_KEYDOWN || msg.wParam != VK_ESCAPE) return;
    if (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd)) return;
    handled = true;
    stop();
  });
  // An error inside the start sequence is reported and the window is still created.
  RunGuarded([this] { FormCreate(); });
}

TMainForm::~TMainForm() { Application().RemoveMessageHook(FEscapeHook); }

void TMainForm::make_system_menu() {
  FSysPopupMenu1 = std::make_unique<TSysPopupMenu>(Handle());
  auto item = [this](const wchar_t* caption, void (TMainForm::*onClick)(TComponent*)) -> TMenuItem& {
    auto added = std::make_unique<TMenuItem>();
    added->Caption = caption;
    added->OnClick = [this, onClick] { (this->*onClick)(this); };
    return FSysPopupMenu1->Items.Add(std::move(added));
  };
  FUndoItem = &item(L"Undo Last Run\u2026", &TMainForm::UndoItemClick);
  item(L"Show Runs", &TMainForm::ShowRunsItemClick);
  item(L"Time Limit per File\u2026", &TMainForm::TimeLimitItemClick);
  FContinueAfterErrorsItem = &item(L"Continue After Errors", &TMainForm::ContinueAfterErrorsItemClick);
  item(L"About", &TMainForm::AboutItemClick);
  FSysPopupMenu1->Loaded();
}

void TMainForm::FormCreate() {
  FDataFolder = GetDataFolder();
  load_settings();
  RunsChanged();
  if (!FNorvalt.Link()) {
    FUser->Tell(L"Error:", L"Can't Link to Norvalt\r\nNorvalt Needs to be Installed");
    FUser->ExitWith(ecNotLinked);
    Application().Terminate();
    return;
  }
  if (FUnattended)
    FUnattended->Begin(*this);
  else
    open_norvalt_folder();
}

void TMainForm::open_norvalt_folder() {
  // Norvalt is given time to come up before it is asked anything.
  Sleep(2000);
  OpenStartFolder(DriveComboBox1, DirectoryListBox1, FNorvalt.WorkFolder());
}

void TMainForm::load_settings() {
  ScriptFileEdit.SetText(ReadScriptFileSetting(FDataFolder));
  ShowContinueAfterErrors(ReadSetting(FDataFolder, kContinueAfterErrorsKey) == L"1");
  // A value that is no time limit (edited by hand) means none.
  FTimeLimit = TTimeLimit::Parse(ReadSetting(FDataFolder, kTimeLimitKey)).Limit.value_or(TTimeLimit());
  FFilterBox->Load(FDataFolder);
}

void TMainForm::save_settings() {
  if (!FUser->SavesSettings()) return;
  // The start sequence may have failed before it found the data folder: look again, and let
  // a second failure reach the error box rather than write the file anywhere else.
  if (FDataFolder.empty()) FDataFolder = GetDataFolder();
  WriteScriptFileSetting(FDataFolder, ScriptFileEdit.Text());
  FFilterBox->Save(FDataFolder);
}

void TMainForm::ShowContinueAfterErrors(bool checked) {
  FContinueAfterErrorsItem->Checked = checked;
  FSysPopupMenu1->Refresh(*FContinueAfterErrorsItem);
}

bool TMainForm::StartRun() { return FRun->Start(FContinueAfterErrorsItem->Checked, FTimeLimit); }

void TMainForm::ComboBox1EnterKey(TComponent*) { FFilterBox->BoxEnterKey(); }

void TMainForm::ComboBox1Select(TComponent*) { FFilterBox->BoxSelect(); }

void TMainForm::ComboBox1Exit(TComponent*) { FFilterBox->BoxExit(); }

void TMainForm::GetScriptButtonClick(TComponent*) {
  const std::wstring chosen = PickFile(L"NC", L"", L"", Handle());
  if (!chosen.empty()) ScriptFileEdit.SetText(chosen);
}

void TMainForm::SelectAllButtonClick(TComponent*) { FileListBox1.SelectAll(); }

void TMainForm::SelectNoneButtonClick(TComponent*) { FileListBox1.ClearSelection(); }

void TMainForm::ProcessButtonClick(TComponent*) {
  if (busy())
    stop();
  else
    StartRun();
}

void TMainForm::ShowRunning(bool running) {
  for (TWinControl* control :
       std::initializer_list<TWinControl*>{&ScriptFileEdit, &GetScriptButton, &DriveComboBox1, &DirectoryListBox1,
                                           &ComboBox1, &FileListBox1, &SelectAllButton, &SelectNoneButton})
    control->SetEnabled(!running);
  ProcessButton.SetCaption(running ? L"Stop" : L"Process");
  ProcessButton.SetGlyph(running ? L"STOP24" : L"PROCESS24");
  RunStatusLabel.SetCaption(L"");
  // The focus may have sat on a control that is now locked; Stop takes it, so Space stops.
  if (running) ProcessButton.SetFocus();
}

void TMainForm::ShowStatus(const std::wstring& text) { RunStatusLabel.SetCaption(text); }

void TMainForm::RunsChanged() { FUndo->Refresh(FRun->Running()); }

bool TMainForm::busy() const { return FRun->Running() || FUndo->Running(); }

void TMainForm::stop() { FUndo->Running() ? FUndo->Stop() : FRun->Stop(); }

void TMainForm::CloseAfterRun(TAfterRun after) {
  switch (after) {
    case TAfterRun::Nothing:
      // An unattended run ends the program with its run.
      if (!FUser->ClosesAfterRun()) return;
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
  if (FRun->Running() && !FRun->ConfirmClose(TAfterRun::CloseSavingSettings)) return;
  save_settings();
  Close();
}

LRESULT TMainForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
      if (FRun && FRun->Running() && !FRun->ConfirmClose(TAfterRun::Close)) return 0;
      break;
    case WM_QUERYENDSESSION:
      if (!FRun || !FRun->Running()) break;
      // The file under way is finished first; the program then closes and lets the session end.
      ShutdownBlockReasonCreate(Handle(), L"Processing NC files");
      FRun->StopForSessionEnd();
      return FALSE;
    default: break;
  }
  return TForm::WndProc(msg, wParam, lParam);
}

void TMainForm::UndoItemClick(TComponent*) {
  if (!FRun->Running()) FUndo->CarryOut();
}

void TMainForm::ShowRunsItemClick(TComponent*) { OpenInExplorer(RunsFolder()); }

void TMainForm::TimeLimitItemClick(TComponent*) {
  const std::optional<TTimeLimit> chosen = AskTimeLimit(FTimeLimit);
  if (!chosen) return;
  FTimeLimit = *chosen;
  WriteSetting(FDataFolder, kTimeLimitKey, FTimeLimit.Text());
}

void TMainForm::ContinueAfterErrorsItemClick(TComponent*) {
  ShowContinueAfterErrors(!FContinueAfterErrorsItem->Checked);
  WriteSetting(FDataFolder, kContinueAfterErrorsKey, FContinueAfterErrorsItem->Checked ? L"1" : L"0");
}

void TMainForm::AboutItemClick(TComponent*) {
  if (FShowAbout) FShowAbout();
}

void TMainForm::FormClose(TComponent*) {}
