#include "filelists/start_folder.h"

#include "filelists/drive_box_model.h"
#include "filelists/folder_list_model.h"
#include "filelists/paths.h"

std::optional<TStartFolder> SplitStartFolder(std::wstring_view text) {
  if (text.empty()) return std::nullopt;
  TStartFolder start;
  const std::wstring drive = ExtractDrivePart(text);
  if (!drive.empty()) start.Drive = drive.front();
  std::wstring folder(text);
  if (folder.back() != L'\\') folder += L'\\';
  const std::size_t last = folder.rfind(L'\\');
  // A root ("\\", "C:\\", "\\\\server\\share\\") keeps its separator.
  const bool keepSeparator = last == 0 || folder[last - 1] == L':' || folder[last - 1] == L'\\';
  start.Folder = folder.substr(0, keepSeparator ? last + 1 : last);
  return start;
}

void ApplyStartFolder(TDriveBoxModel& driveBox, TFolderListModel& folderList, std::wstring_view text) {
  const std::optional<TStartFolder> start = SplitStartFolder(text);
  if (!start) return;
  if (start->Drive != 0) driveBox.SetDrive(start->Drive);
  folderList.SetDirectory(start->Folder);
}
