#include "filelists/list_registration.h"

#include "filelists/directory_list_box.h"
#include "filelists/drive_combo_box.h"
#include "filelists/file_list_box.h"
#include "filelists/start_folder.h"

void OpenStartFolder(TDriveComboBox& driveBox, TDirectoryListBox& folderList, const std::wstring& text) {
  ApplyStartFolder(driveBox.Model(), folderList.Model(), text);
}

void RegisterFileListComponents() {
  RegisterComponentClass<TDriveComboBox>(L"TDriveComboBox");
  RegisterComponentClass<TDirectoryListBox>(L"TDirectoryListBox");
  RegisterComponentClass<TFileListBox>(L"TFileListBox");
}
