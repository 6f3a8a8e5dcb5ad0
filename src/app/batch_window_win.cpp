#include "app/batch_window.h"

#include "filelists/file_list_box.h"
#include "platform/file_checks.h"
#include "ui/std_controls.h"

std::wstring TMainBatchWindow::ScriptPath() { return FScript->Text(); }

int TMainBatchWindow::SelCount() { return FFiles->SelCount(); }

int TMainBatchWindow::EntryCount() { return FFiles->Count(); }

bool TMainBatchWindow::EntrySelected(int index) { return FFiles->Selected(index); }

std::wstring TMainBatchWindow::EntryText(int index) { return FFiles->Item(index); }

std::wstring TMainBatchWindow::Folder() { return FFiles->Directory(); }

std::wstring TMainBatchWindow::Mask() { return FFiles->Model().Mask(); }

bool TMainBatchWindow::ScriptFileExists(const std::wstring& path) { return FileExistsFollowingLinks(path); }

void TMainBatchWindow::SetProgressMax(int max) { FProgress->SetMax(max); }

void TMainBatchWindow::SetProgressPosition(int position) { FProgress->SetPosition(position); }

void TMainBatchWindow::SelectOnlyEntries(const std::vector<int>& entries) {
  TFileListModel& files = FFiles->Model();
  files.ClearSelection();
  for (const int entry : entries) files.Click(entry, false, true);
}

void TMainBatchWindow::FocusEntry(int entry) {
  FFiles->Model().MoveTo(entry, false, true);
  FFiles->SetFocus();
}
