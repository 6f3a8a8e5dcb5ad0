#pragma once
// Push buttons, drawn by the program so that the style decides their look.
#include "ui/controls.h"

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);

  // Presses the button: OnClick, then the modal result (if any) closes the form.
  virtual void Click();
  bool Default() const { return FDefault; }
  void SetDefault(bool value);
  int ModalResult() const { return FModalResult; }
  void SetModalResult(int result) { FModalResult = result; }
  // A button that is not focusable hands the keyboard focus back when clicked.
  void SetFocusable(bool focusable);

  const TPicture& Glyph() const { return FGlyph; }
  // The picture beside the caption, from the program's resources.
  void SetGlyph(const std::wstring& resourceName);
  bool SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader) override;
  void Loaded() override;
  void CommandNotify(WORD code) override;
  void DrawItem(DRAWITEMSTRUCT& item) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // Drawn by the program, so the system would not know it for a button.
  long AccessibleRole() const override { return ROLE_SYSTEM_PUSHBUTTON; }

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  TPicture FGlyph;
  bool FDefault = false;
  bool FHot = false;
  bool FFocusable = true;
  int FModalResult = 0;
};

// A button with a picture that never takes the keyboard focus (a tool button).
class TSpeedButton : public TButton {
 public:
  explicit TSpeedButton(TComponent* owner);
};

// A button with a picture beside its caption; Kind = bkOK makes it the standard OK button.
class TBitBtn : public TButton {
 public:
  using TButton::TButton;
  bool SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader) override;
};
