#include "app/mainunit.h"

#include "app/batch_run.h"
#include "app/norvalt_processor.h"
#include "app/taskbar_button.h"
#include "automation/norvalt_tlb.h"
#include "dialogs/my_file_ops.h"
#include "dialogs/mymessage.h"
#include "dialogs/sys_menu_win.h"
#include "filelists/directory_list_box.h"
#include "filelists/drive_combo_box.h"
#include "filelists/file_list_box.h"
#include "filelists/list_registration.h"
#include "identity/my_app_data.h"
#include "identity/settings_file.h"
#include "platform/file_checks.h"
#include "ui/application.h"
#include "ui/dispatcher.h"

namespace {

// The main window seen by the batch run.
class TMainBatchWindow : public IBatchWindow {
 public:
  TMainBatchWindow(TEdit& script, TFileListBox& files, TProgressBar& progress, ITaskbarButton& taskbar)
      : FScript(script), FFiles(files), FProgress(progress), FTaskbar(taskbar) {}
  std::wstring ScriptPath() override { return FScript.Text(); }
  int SelCount() override { return FFiles.SelCount(); }
  int EntryCount() override { return FFiles.Count(); }
  bool EntrySelected(int index) override { return FFiles.Selected(index); }
  std::wstring EntryText(int index) override { return FFiles.Item(index); }
  std::wstring Folder() override { return FFiles.Directory(); }
  bool ScriptFileExists(const std::wstring& path) override { return FileExistsFollowingLinks(path); }
  void SetProgressMax(int max) override { FProgress.SetMax(max); }
  void SetProgressPosition(int position) override {
    FProgress.SetPosition(position);
    Application().ProcessPaintMessages();
  }
  void ShowMessage(const std::wstring& title, const std::wstring& text) override { MyMess(title, text, 0); }
  ITaskbarButton& TaskbarButton() override { return FTaskbar; }

 private:
  TEdit& FScript;
  TFileListBox& FFiles;
  TProgressBar& FProgress;
  ITaskbarButton& FTaskbar;
};

}  // namespace

TMainForm::TMainForm(TComponent* owner, std::function<void()> showAbout)
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
                                })
                         .Control<TEdit>(L"ScriptFileEdit")),
      GetScriptButton(Control<TSpeedButton>(L"GetScriptButton")),
      ProgressBar1(Control<TProgressBar>(L"ProgressBar1")),
      DriveComboBox1(Control<TDriveComboBox>(L"DriveComboBox1")),
      DirectoryListBox1(Control<TDirectoryListBox>(L"DirectoryListBox1")),
      ComboBox1(Control<TComboBox>(L"ComboBox1")),
      FileListBox1(Control<TFileListBox>(L"FileListBox1")),
      SelectAllButton(Control<TButton>(L"SelectAllButton")),
      SelectNoneButton(Control<TButton>(L"SelectNoneButton")),
      ProcessButton(Control<TBitBtn>(L"ProcessButton")),
      CloseButton(Control<TBitBtn>(L"CloseButton")),
      FShowAbout(std::move(showAbout)) {
  LinkLists(FListChain, DriveComboBox1, DirectoryListBox1, FileListBox1);
  // The system menu's items and the taskbar button join once the window exists.
  FTaskbarButton = std::make_unique<TTaskbarButton>(Handle());
  FSysPopupMenu1 = std::make_unique<TSysPopupMenu>(Handle());
  auto about = std::make_unique<TMenuItem>();
  about->Caption = L"About";
  about->OnClick = [this] { About1Click(this); };
  FSysPopupMenu1->Items.Add(std::move(about));
  FSysPopupMenu1->Loaded();
  // An error inside the start sequence is reported and the window is still created.
  RunGuarded([this] { FormCreate(); });
}

TMainForm::~TMainForm() = default;

void TMainForm::FormCreate() {
  FDataFolder = GetDataFolder();
  ComboBox1.SetTextHint(L"Filter *.*");
  load_settings();
  link_to_norvalt();
  if (FNorvalt) open_norvalt_folder();
}

void TMainForm::link_to_norvalt() {
  try {
    FNorvalt = std::make_unique<TNorvalt>(CoNorvaltx::Create());
  } catch (...) {
    MyMess(L"Error:", L"Can't Link to Norvalt\r\nNorvalt Needs to be Installed", 0);
    Application().Terminate();
  }
}

void TMainForm::open_norvalt_folder() {
  // Norvalt is given time to come up before it is asked anything.
  Sleep(2000);
  const std::wstring folder = FNorvalt->GetFolder(-2);
  OpenStartFolder(DriveComboBox1, DirectoryListBox1, folder);
}

void TMainForm::load_settings() { ScriptFileEdit.SetText(ReadScriptFileSetting(FDataFolder)); }

void TMainForm::save_settings() {
  // The start sequence may have failed before it found the data folder: look again, and let
  // a second failure reach the error box rather than write the file anywhere else.
  if (FDataFolder.empty()) FDataFolder = GetDataFolder();
  WriteScriptFileSetting(FDataFolder, ScriptFileEdit.Text());
}

void TMainForm::GetScriptButtonClick(TComponent*) {
  const std::wstring chosen = PickFile(L"NC", L"", L"", Handle());
  if (!chosen.empty()) ScriptFileEdit.SetText(chosen);
}

void TMainForm::SelectAllButtonClick(TComponent*) { FileListBox1.SelectAll(); }

void TMainForm::SelectNoneButtonClick(TComponent*) { FileListBox1.ClearSelection(); }

void TMainForm::ProcessButtonClick(TComponent*) {
  TMainBatchWindow window(ScriptFileEdit, FileListBox1, ProgressBar1, *FTaskbarButton);
  if (!FNorvalt) {
    RunBatch(window, nullptr);
    return;
  }
  TNorvaltProcessor processor(*FNorvalt);
  RunBatch(window, &processor);
}

void TMainForm::CloseButtonClick(TComponent*) {
  save_settings();
  Close();
}

void TMainForm::About1Click(TComponent*) {
  if (FShowAbout) FShowAbout();
}

void TMainForm::FormClose(TComponent*) {}
