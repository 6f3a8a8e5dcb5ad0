#pragma once
// The drive box of the main window: a drop-down list of the drives with their pictures. It
// owns its logic, which holds the entries and the chosen drive; the native window mirrors
// them and passes the user's choice to the logic.
#include <string>

#include "filelists/drive_box_model.h"
#include "filelists/list_control_parts.h"
#include "ui/std_controls.h"

class TDriveComboBox : public TCustomComboBox {
 public:
  explicit TDriveComboBox(TComponent* owner);

  wchar_t Drive() const { return FModel.Drive(); }
  // Raises the folder list's I/O error when it cannot follow.
  void SetDrive(wchar_t drive) { FModel.SetDrive(drive); }
  TDriveBoxModel& Model() { return FModel; }

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

  TPicture FFloppyBMP, FFixedBMP, FNetworkBMP, FCDROMBMP, FRAMBMP;
  TComboBoxWindow FWindow{*this};
  TDriveBoxModel FModel;
};
