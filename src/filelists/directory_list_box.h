#pragma once
// The folder list of the main window: the path to the current folder and its subfolders.
// It owns its logic, which holds the entries and the highlight; the native window mirrors
// them and passes the user's clicks and keys to the logic.
#include <string>

#include "filelists/folder_list_model.h"
#include "filelists/list_control_parts.h"
#include "ui/std_controls.h"

class TDirectoryListBox : public TCustomListBox {
 public:
  explicit TDirectoryListBox(TComponent* owner);

  const std::wstring& Directory() const { return FModel.Directory(); }
  // Raises EInOutError when the folder cannot be reached; the lists stay as they were.
  void SetDirectory(const std::wstring& path) { FModel.SetDirectory(path); }
  TFolderListModel& Model() { return FModel; }

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

  TPicture FClosedBMP, FOpenedBMP, FCurrentBMP;
  TCountedListBoxWindow FWindow{*this};
  TFolderListModel FModel;
};
