#pragma once
// Pointing the drive box and the folder list at the folder an outside program names at
// start-up: the drive first, then the folder.
#include <optional>
#include <string>
#include <string_view>

class TDriveBoxModel;
class TFolderListModel;

struct TStartFolder {
  wchar_t Drive = 0;  // 0: the text has no drive part, the drive stays
  std::wstring Folder;
};

// 'C:\NC\PROGS\' and 'C:\NC\PROGS' give drive 'C' and folder 'C:\NC\PROGS'; 'C:\' gives
// 'C:\'. Nothing for an empty text.
std::optional<TStartFolder> SplitStartFolder(std::wstring_view text);
// Sets the drive, then the folder; raises the lists' I/O errors (a failed drive step skips
// the folder step). An empty text leaves the lists where they are.
void ApplyStartFolder(TDriveBoxModel& driveBox, TFolderListModel& folderList, std::wstring_view text);
