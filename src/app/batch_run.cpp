#include "app/batch_run.h"

#include "filelists/paths.h"

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
    norvalt->LoadScript(script);
    const std::wstring folder = window.Folder();
    const int entries = window.EntryCount();
    int counter = 0;
    for (int i = 0; i < entries; ++i) {
      if (!window.EntrySelected(i)) continue;
      window.SetProgressPosition(++counter);
      const std::wstring path = JoinPath(folder, window.EntryText(i));
      norvalt->OpenNcFile(path);
      norvalt->ScriptStep1();
      norvalt->ScriptStep2();
      norvalt->SaveNcFileAs(path);
    }
  }
  window.SetProgressPosition(0);
}
