#include "filelists/list_registration.h"

#include "filelists/directory_list_box.h"
#include "filelists/drive_combo_box.h"
#include "filelists/file_list_box.h"
#include "filelists/list_chain.h"
#include "filelists/start_folder.h"

void LinkLists(TListChain& chain, TDriveComboBox& driveBox, TDirectoryListBox& folderList, TFileListBox& fileList) {
  chain.Link(&driveBox.Model(), &folderList.Model(), &fileList.Model());
}

void OpenStartFolder(TDriveComboBox& driveBox, TDirectoryListBox& folderList, const std::wstring& text) {
  ApplyStartFolder(driveBox.Model(), folderList.Model(), text);
}

void RegisterFileListComponents() {
  RegisterComponentClass<TDriveComboBox>(L"TDriveComboBox");
  RegisterComponentClass<TDirectoryListBox>(L"TDirectoryListBox");
  RegisterComponentClass<TFileListBox>(L"TFileListBox");
}
