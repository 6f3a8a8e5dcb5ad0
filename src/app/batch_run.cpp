#include "app/batch_run.h"

#include "base/errors.h"
#include "filelists/paths.h"

namespace {

void TreatSelectedFiles(IBatchWindow& window, INcProcessor& norvalt, const std::wstring& script, int selected) {
  norvalt.LoadScript(script);
  const std::wstring folder = window.Folder();
  const int entries = window.EntryCount();
  int counter = 0;
  for (int i = 0; i < entries; ++i) {
    if (!window.EntrySelected(i)) continue;
    window.SetProgressPosition(++counter);
    window.TaskbarButton().ShowProgress(counter, selected);
    const std::wstring path = JoinPath(folder, window.EntryText(i));
    norvalt.OpenNcFile(path);
    norvalt.ScriptStep1();
    norvalt.ScriptStep2();
    norvalt.SaveNcFileAs(path);
  }
}

}  // namespace

void RunBatch(IBatchWindow& window, INcProcessor* norvalt) {
  if (window.ScriptPath().empty()) {
    window.ShowMessage(L"Error:", L"Enter Script File");
    return;
  }
  const int selected = window.SelCount();
  if (selected == 0) {
    window.ShowMessage(L"Error:", L"Need to Select NC Files From List to Modify");
    return;
  }
  const std::wstring script = window.ScriptPath();
  if (!window.ScriptFileExists(script)) {
    window.ShowMessage(L"Error:", L"Can't Find Script File\r\n" + script);
    return;
  }
  window.SetProgressMax(selected);
  if (!norvalt) {
    window.ShowMessage(L"Velbrook", L"Not Linked to Norvalt");
  } else {
    ITaskbarButton& taskbar = window.TaskbarButton();
    try {
      TreatSelectedFiles(window, *norvalt, script, selected);
    } catch (const EAbort&) {
      taskbar.ShowProgress(0, selected);
      taskbar.FlashUnlessInFront();
      throw;
    } catch (...) {
      taskbar.ShowFailure();
      taskbar.FlashUnlessInFront();
      throw;
    }
    taskbar.ShowProgress(0, selected);
    taskbar.FlashUnlessInFront();
  }
  window.SetProgressPosition(0);
}
