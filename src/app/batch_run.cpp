#include "app/batch_run.h"

#include "filelists/paths.h"

std::optional<TRunPlan> PlanRun(IBatchWindow& window) {
  if (window.ScriptPath().empty()) {
    window.ShowMessage(L"Error:", L"Enter Script File");
    return std::nullopt;
  }
  const int selected = window.SelCount();
  if (selected == 0) {
    window.ShowMessage(L"Error:", L"Need to Select NC Files From List to Modify");
    return std::nullopt;
  }
  TRunPlan plan;
  plan.Script = window.ScriptPath();
  if (!window.ScriptFileExists(plan.Script)) {
    window.ShowMessage(L"Error:", L"Can't Find Script File\r\n" + plan.Script);
    return std::nullopt;
  }
  window.SetProgressMax(selected);
  const std::wstring folder = window.Folder();
  const int entries = window.EntryCount();
  plan.Files.reserve(static_cast<std::size_t>(selected));
  for (int i = 0; i < entries; ++i)
    if (window.EntrySelected(i)) plan.Files.push_back(JoinPath(folder, window.EntryText(i)));
  return plan;
}

int TreatFiles(const TRunPlan& plan, INcProcessor& norvalt, IRunProgress& progress) {
  norvalt.LoadScript(plan.Script);
  int treated = 0;
  for (const std::wstring& path : plan.Files) {
    if (progress.StopRequested()) break;
    progress.FileStarting(treated);
    norvalt.OpenNcFile(path);
    norvalt.ScriptStep1();
    norvalt.ScriptStep2();
    norvalt.SaveNcFileAs(path);
    ++treated;
  }
  return treated;
}

void TRunDisplay::FileStarting(int index) {
  FWindow.SetProgressPosition(index + 1);
  FWindow.TaskbarButton().ShowProgress(index + 1, FCount);
}

void TRunDisplay::call_user_back(int position) {
  FWindow.TaskbarButton().ShowProgress(position, FCount);
  FWindow.TaskbarButton().FlashUnlessInFront();
}

void TRunDisplay::Completed() {
  call_user_back(0);
  FWindow.SetProgressPosition(0);
}

void TRunDisplay::Stopped(int treated, bool tellUser) {
  call_user_back(0);
  FWindow.SetProgressPosition(0);
  if (tellUser) FWindow.ShowMessage(L"Velbrook", StoppedText(treated, FCount));
}

void TRunDisplay::Failed(bool silentAbort) {
  if (silentAbort) {
    call_user_back(0);
    return;
  }
  FWindow.TaskbarButton().ShowFailure();
  FWindow.TaskbarButton().FlashUnlessInFront();
}

void TRunDisplay::NotLinked() {
  FWindow.ShowMessage(L"Velbrook", L"Not Linked to Norvalt");
  FWindow.SetProgressPosition(0);
}

std::wstring StoppedText(int treated, int count) {
  return L"Stopped after " + std::to_wstring(treated) + L" of " + std::to_wstring(count) + L" files.";
}

std::wstring WaitingText(unsigned seconds) {
  return L"Waiting for Norvalt: no answer for " + std::to_wstring(seconds) + L" s. Stop ends the run now.";
}

std::wstring UnansweredText(const std::wstring& path) {
  return L"Norvalt did not answer; the run was stopped at " + path + L".";
}
