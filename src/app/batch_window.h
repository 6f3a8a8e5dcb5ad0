#pragma once
// The main window's controls as the batch run sees them (IBatchWindow).
#include "app/batch_run.h"
#include "app/user_channel.h"
#include "base/borrowed.h"

class TEdit;
class TFileListBox;
class TProgressBar;

class TMainBatchWindow final : public IBatchWindow {
 public:
  TMainBatchWindow(TEdit& script, TFileListBox& files, TProgressBar& progress, ITaskbarButton& taskbar,
                   IUserChannel& user)
      : FScript(script), FFiles(files), FProgress(progress), FTaskbar(taskbar), FUser(user) {}
  std::wstring ScriptPath() override;
  int SelCount() override;
  int EntryCount() override;
  bool EntrySelected(int index) override;
  std::wstring EntryText(int index) override;
  std::wstring Folder() override;
  std::wstring Mask() override;
  bool ScriptFileExists(const std::wstring& path) override;
  void SetProgressMax(int max) override;
  void SetProgressPosition(int position) override;
  void ShowMessage(const std::wstring& title, const std::wstring& text) override { FUser->Tell(title, text); }
  void ReportError(const std::exception_ptr& error) override { FUser->ReportError(error); }
  void SelectOnlyEntries(const std::vector<int>& entries) override;
  void FocusEntry(int entry) override;
  ITaskbarButton& TaskbarButton() override { return *FTaskbar; }

 private:
  TBorrowed<TEdit> FScript;
  TBorrowed<TFileListBox> FFiles;
  TBorrowed<TProgressBar> FProgress;
  TBorrowed<ITaskbarButton> FTaskbar;
  TBorrowed<IUserChannel> FUser;
};
