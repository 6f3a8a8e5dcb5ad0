#pragma once
// The drive box, the folder list and the file list of the main window. Each control owns
// its logic, which holds the entries, highlight and selection; the native window mirrors
// them and passes the user's clicks and keys to the logic.
#include <string>

#include "filelists/drive_box_model.h"
#include "filelists/file_list_model.h"
#include "filelists/folder_list_model.h"
#include "filelists/list_control_parts.h"
#include "ui/std_controls.h"

class TDirectoryListBox;
class TFileListBox;

class TDriveComboBox : public TCustomComboBox {
 public:
  explicit TDriveComboBox(TComponent* owner);

  // The folder list that follows this box (links are kept by the lists' chain).
  void SetDirList(TDirectoryListBox* dirList);
  wchar_t Drive() const { return FModel.Drive(); }
  // Raises the folder list's I/O error when it cannot follow.
  void SetDrive(wchar_t drive) { FModel.SetDrive(drive); }
  TDriveBoxModel& Model() { return FModel; }

  bool SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader) override;
  void DrawItem(DRAWITEMSTRUCT& item) override;
  void MeasureItem(MEASUREITEMSTRUCT& item) override;
  void FontChanged() override;
  void DpiChanged() override;
  void FirstShowing() override { FModel.EnsureListed(); }

 protected:
  void CreateWnd() override;
  void Change() override;

 private:
  const TPicture& picture_of(TEntryPicture kind) const;
  int row_height() const;  // in device pixels
  void apply_row_height();

  TPicture FloppyBMP, FixedBMP, NetworkBMP, CDROMBMP, RAMBMP;
  TComboBoxWindow FWindow{*this};
  TDriveBoxModel FModel;
};

class TDirectoryListBox : public TCustomListBox {
 public:
  explicit TDirectoryListBox(TComponent* owner);

  // The file list that follows this list.
  void SetFileList(TFileListBox* fileList);
  const std::wstring& Directory() const { return FModel.Directory(); }
  // Raises EInOutError when the folder cannot be reached; the lists stay as they were.
  void SetDirectory(const std::wstring& path) { FModel.SetDirectory(path); }
  TFolderListModel& Model() { return FModel; }

  bool SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader) override;
  void CommandNotify(WORD code) override;
  void FontChanged() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void FirstShowing() override { FModel.EnsureRead(); }

 protected:
  void CreateParams(TCreateParams& params) override;
  void DestroyWnd() override {}  // the logic reads the entries again for the new window
  void ReadEntriesOnCreate() override { FModel.WindowCreated(); }
  void DrawEntry(HDC dc, int index, const RECT& rect, bool selected) override;
  void DblClick() override;
  std::wstring RowName(int row) const override;  // as drawn
  bool RowSelected(int row) const override { return row == FModel.ItemIndex(); }
  int FocusedRow() const override { return FModel.ItemIndex(); }

 private:
  const TPicture& picture_of(TEntryPicture kind) const;

  TPicture ClosedBMP, OpenedBMP, CurrentBMP;
  TCountedListBoxWindow FWindow{*this};
  TFolderListModel FModel;
};

class TFileListBox : public TCustomListBox {
 public:
  explicit TFileListBox(TComponent* owner);

  const std::wstring& Directory() const { return FModel.Directory(); }
  // The entries in display order and their selection, as the logic holds them.
  int Count() const { return FModel.Count(); }
  std::wstring Item(int index) const { return FModel.Item(index); }
  bool Selected(int index) const { return FModel.Selected(index); }
  int SelCount() const { return FModel.SelCount(); }
  void SelectAll() { FModel.SelectAll(); }
  void ClearSelection() { FModel.ClearSelection(); }
  TFileListModel& Model() { return FModel; }

  void FontChanged() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void FirstShowing() override { FModel.EnsureRead(); }

 protected:
  void CreateParams(TCreateParams& params) override;
  void DestroyWnd() override {}  // the logic reads the entries again for the new window
  void ReadEntriesOnCreate() override { FModel.WindowCreated(); }
  void DrawEntry(HDC dc, int index, const RECT& rect, bool selected) override;
  std::wstring RowName(int row) const override { return FModel.Item(row); }
  bool RowSelected(int row) const override { return FModel.Selected(row); }
  int FocusedRow() const override { return FModel.ItemIndex(); }

 private:
  bool click(LPARAM point, WPARAM keys);
  bool move_key(WPARAM key);

  TCountedListBoxWindow FWindow{*this};
  TScreenPointer FPointer;
  TFileListModel FModel;
};

// Start-up: the drive of text first, then its folder (see ApplyStartFolder).
void OpenStartFolder(TDriveComboBox& driveBox, TDirectoryListBox& folderList, const std::wstring& text);
// Makes the three classes known to the layout reader.
void RegisterFileListComponents();
