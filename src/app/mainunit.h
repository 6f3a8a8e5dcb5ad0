#pragma once
// The main window: script box, drive, folder and file lists, progress bar, and the
// buttons that run the batch, pick the script and end the program.
#include <memory>
#include <string>

#include "filelists/list_chain.h"
#include "ui/buttons.h"
#include "ui/form.h"
#include "ui/std_controls.h"

class TDriveComboBox;
class TDirectoryListBox;
class TFileListBox;
class TNorvalt;
class TSysPopupMenu;
class TTaskbarButton;

class TMainForm : public TForm {
 public:
  // showAbout runs when "About" is chosen in the system menu.
  TMainForm(TComponent* owner, std::function<void()> showAbout);
  ~TMainForm() override;

  // False when start-up could not link to Norvalt: the program then ends.
  bool Linked() const { return FNorvalt != nullptr; }

  TEdit& ScriptFileEdit;
  TSpeedButton& GetScriptButton;
  TProgressBar& ProgressBar1;
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
  void About1Click(TComponent* sender);
  void FormClose(TComponent* sender);

  void load_settings();
  void save_settings();
  void link_to_norvalt();
  void open_norvalt_folder();

  TListChain FListChain;  // the links between the form's lists
  std::function<void()> FShowAbout;
  std::wstring FDataFolder;
  std::unique_ptr<TNorvalt> FNorvalt;
  std::unique_ptr<TSysPopupMenu> FSysPopupMenu1;
  std::unique_ptr<TTaskbarButton> FTaskbarButton;
};
