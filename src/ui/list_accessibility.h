#pragma once
// A list's rows for assistive technology. Lists that keep their rows outside the window
// (owner-drawn, without texts) answer WM_GETOBJECT themselves, with an IAccessible that
// asks the control for each row's name, selection and focus.
#include <string>

#include "ui/accessibility.h"

// What the accessible object asks the control.
class IListRows {
 public:
  virtual ~IListRows() = default;
  virtual int RowCount() const = 0;
  virtual std::wstring RowName(int row) const = 0;
  virtual bool RowSelected(int row) const = 0;
  virtual int FocusedRow() const = 0;  // -1 for none
  virtual bool RowsMultiSelect() const = 0;
  virtual int RowAt(POINT client) const = 0;  // -1 below the last row
};

// The accessible object of a list control: the control's own for the list, the rows' for
// its children (numbered from 1, as accessibility counts them).
TAccessibleControl* MakeAccessibleList(HWND window, const IAccessibleSelf& self, const IListRows& rows);
