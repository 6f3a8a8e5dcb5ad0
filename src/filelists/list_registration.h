#pragma once
// The three list controls as the program uses them together.
#include <string>

class TDriveComboBox;
class TDirectoryListBox;

// Start-up: the drive of text first, then its folder (see ApplyStartFolder).
void OpenStartFolder(TDriveComboBox& driveBox, TDirectoryListBox& folderList, const std::wstring& text);
// Makes the three classes known to the layout reader.
void RegisterFileListComponents();
