#pragma once
// The file list of the main window: the files of the current folder that match the mask.
// It owns its logic, which holds the names, highlight and selection; the native window
// mirrors them and passes the user's clicks and keys to the logic.
#include <string>
#include <utility>

#include "filelists/file_list_model.h"
#include "filelists/list_control_parts.h"
#include "ui/std_controls.h"

class TFileListBox : public TCustomListBox {
 public:
  explicit TFileListBox(TComponent* owner);

  const std::wstring& Directory() const { return FModel.Directory(); }
  // Patterns separated by ";"; a new mask lists the folder again.
  void SetMask(std::wstring mask) { FModel.SetMask(std::move(mask)); }
  // The entries in display order and their selection, as the logic holds them.
  int Count() const override { return FModel.Count(); }
  std::wstring Item(int index) const override { return FModel.Item(index); }
  bool Selected(int index) const override { return FModel.Selected(index); }
  int SelCount() const override { return FModel.SelCount(); }
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
  int FocusedRow() const override { return FModel.ItemIndex(); }

 private:
  bool click(LPARAM point, WPARAM keys);
  bool move_key(WPARAM key);

  TCountedListBoxWindow FWindow{*this};
  TScreenPointer FPointer;
  TFileListModel FModel;
};
