#pragma once
// A list's rows for assistive technology. Lists that keep their rows outside the window
// (owner-drawn, without texts) answer WM_GETOBJECT themselves, with an IAccessible that
// asks the control for each row's name, selection and focus.
#include <windows.h>

#include <oleacc.h>

#include <string>

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

class TAccessibleList;

// Owned by a control: makes the accessible object on first request and cuts it off from
// the control when the window goes, since clients may hold it longer.
class TListAccessibility {
 public:
  explicit TListAccessibility(const IListRows& rows) : FRows(rows) {}
  ~TListAccessibility();
  TListAccessibility(const TListAccessibility&) = delete;
  TListAccessibility& operator=(const TListAccessibility&) = delete;

  // The answer to WM_GETOBJECT; 0 for objects other than the client area.
  LRESULT Answer(HWND window, WPARAM wParam, LPARAM lParam);
  void Disconnect();

 private:
  const IListRows& FRows;
  TAccessibleList* FObject = nullptr;  // one reference, given up by Disconnect
};
