#pragma once
// The program's own message dialog: a bold title, a wrapping body, a picture and one to
// three buttons chosen by the message type.
#include <string>

#include "ui/buttons.h"
#include "ui/form.h"
#include "ui/std_controls.h"

class TMy : public TForm {
 public:
  explicit TMy(TComponent* owner);

  // Fills the dialog, shows it modally and returns the result of the button that closed it
  // (Cancel when it is closed from its title bar).
  int Mess(const std::wstring& title, const std::wstring& body, int messageType);

  std::wstring TitleCaption;

 private:
  void FormCreate();

  TImage& FImageWarning;
  TImage& FImageStop;
  TImage& FImageQuestion;
  TLabel& FTitleLabel;
  TLabel& FBodyLabel;
  TButton& FButton1;
  TButton& FButton2;
  TButton& FButton3;
};

// Shows one message and returns the button's result; what the rest of the program calls.
int MyMess(const std::wstring& title, const std::wstring& body, int messageType);
