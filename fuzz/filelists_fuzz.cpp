// The lists' path and mask logic on any text, over the in-memory file system of the lists'
// tests: folder texts, drive letters, start folders, masks, clicks and keys, and folders
// that vanish, in any order, with a file list window that takes fewer names than one folder
// holds. Whatever happens, the three lists must agree afterwards.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "base/errors.h"
#include "fakes.h"
#include "filelists/drive_box_model.h"
#include "filelists/file_list_model.h"
#include "filelists/folder_list_model.h"
#include "filelists/list_chain.h"
#include "filelists/paths.h"
#include "filelists/resolve_target.h"
#include "filelists/start_folder.h"
#include "fuzz_input.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

const wchar_t* const kFolders[] = {L"C:\\NC\\Jobs\\Old", L"C:\\NC\\Jobs\\new", L"C:\\Tools",
                                   L"D:\\JOBS\\2024",    L"D:\\Archive",       L"\\\\server\\share\\Cells\\Cell1"};

// The drives, folders and files, made before the lists that start in the current folder.
struct TDisk {
  TDisk() {
    Fs.AddDrive(L'A', TDriveType::Removable);
    Fs.AddDrive(L'C', TDriveType::Fixed, L"System");
    Fs.AddDrive(L'D', TDriveType::Fixed, L"Data").PreservesCase = false;
    Fs.AddDrive(L'F', TDriveType::CDRom).Ready = false;
    Fs.AddDrive(L'N', TDriveType::Remote).RemoteName = L"\\\\Server\\Share";
    Fs.AddShare(L"\\\\server\\share");
    for (const wchar_t* folder : kFolders) Fs.AddFolder(folder);
    Fs.AddFolder(L"C:\\NC\\Jobs\\.cache", faHidden);
    for (const wchar_t* file : {L"C:\\NC\\Jobs\\a.nc", L"C:\\NC\\Jobs\\B.NC", L"C:\\NC\\Jobs\\c.txt",
                                L"D:\\JOBS\\mill.nc", L"D:\\JOBS\\2024\\x.nc"})
      Fs.AddFile(file);
    for (const wchar_t* file : {L"C:\\Tools\\1.nc", L"C:\\Tools\\2.nc", L"C:\\Tools\\3.nc", L"C:\\Tools\\4.nc"})
      Fs.AddFile(file);
    Fs.Start(L"C:\\NC\\Jobs");
  }
  TFakeFileSystem Fs;
  TFakeCollation Collation;
};

struct TMachine : TDisk {
  TMachine() {
    FileWindow.Capacity = 3;
    TFakeLists lists{DriveBox, DriveWindow, FolderList, FolderWindow, FileList, FileWindow};
    lists.Link(Chain);
    lists.Show();
  }

  void CheckAgreement() {
    const wchar_t drive = FolderList.Drive();
    Require(drive == 0 ? DriveBox.Drive() == 0 : SameDriveLetter(DriveBox.Drive(), drive));
    Require(FileList.Directory() == FolderList.Directory());
    Require(FolderWindow.Entries.size() == FolderList.Entries().size());
    Require(FileWindow.Entries.size() == static_cast<std::size_t>(FileList.Count()));
    int selected = 0;
    for (int i = 0; i < FileList.Count(); ++i) {
      Require(FileWindow.Selected[static_cast<std::size_t>(i)] == FileList.Selected(i));
      selected += FileList.Selected(i) ? 1 : 0;
    }
    Require(selected == FileList.SelCount());
    if (Fs.FolderExists(FolderList.Directory())) Require(Fs.CurrentFolder() == FolderList.Directory());
  }

  TFakeListWindow DriveWindow, FolderWindow, FileWindow;
  TFakePointer Pointer;
  TFileListModel FileList{Fs, Collation, FileWindow, Pointer};
  TFolderListModel FolderList{Fs, Collation, FolderWindow};
  TDriveBoxModel DriveBox{Fs, Collation, DriveWindow};
  TListChain Chain;
};

void Step(TMachine& machine, TFuzzInput& input) {
  switch (input.Byte() % 8) {
    case 0: machine.FolderList.SetDirectory(input.WideText()); break;
    case 1: machine.DriveBox.SetDrive(static_cast<wchar_t>(input.WideText(1).c_str()[0])); break;
    case 2: ApplyStartFolder(machine.DriveBox, machine.FolderList, input.WideText()); break;
    case 3: {
      const std::wstring before = machine.Fs.CurrentFolder();
      (void)ResolveTarget(machine.Fs, input.WideText());
      // (A folder removed under the process cannot be gone back to.)
      if (machine.Fs.FolderExists(before)) Require(machine.Fs.CurrentFolder() == before);
      break;
    }
    case 4:
      machine.FileList.SetMask(input.WideText());
      machine.FileList.ReadEntries();
      break;
    case 5: {
      const int index = static_cast<int>(input.Byte()) - 2;
      const std::uint8_t keys = input.Byte();
      if (keys & 4)
        machine.FileList.Click(index, keys & 1, keys & 2);
      else if (keys & 8)
        machine.FileList.ToggleFocused();
      else if (keys & 16)
        machine.FileList.SelectAll();
      else
        machine.FileList.MoveTo(index, keys & 1, keys & 2);
      break;
    }
    case 6: machine.Fs.Remove(kFolders[input.Byte() % std::size(kFolders)]); break;
    default:
      machine.FolderList.Click(static_cast<int>(input.Byte()) - 2);
      machine.FolderList.OpenCurrent();
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TMachine machine;
  TFuzzInput input(data, size);
  for (int steps = 0; steps < 32 && !input.Empty(); ++steps) {
    try {
      Step(machine, input);
    } catch (const Exception&) {
      // Refused changes are fine as long as the lists still agree.
    }
    machine.CheckAgreement();
  }
  return 0;
}
