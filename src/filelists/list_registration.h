#pragma once
// The three list controls as the program uses them together.
#include <string>

class TListChain;
class TDriveComboBox;
class TDirectoryListBox;
class TFileListBox;

// The lists of one form move together through chain, which the form owns: the box moves the
// folder list, the folder list the file list.
void LinkLists(TListChain& chain, TDriveComboBox& driveBox, TDirectoryListBox& folderList, TFileListBox& fileList);
// Start-up: the drive of text first, then its folder (see ApplyStartFolder).
void OpenStartFolder(TDriveComboBox& driveBox, TDirectoryListBox& folderList, const std::wstring& text);
// Makes the three classes known to the layout reader.
void RegisterFileListComponents();
