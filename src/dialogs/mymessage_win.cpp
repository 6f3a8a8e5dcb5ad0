#include "dialogs/mymessage.h"

#include "dialogs/message_setup.h"

TMy::TMy(TComponent* owner)
    : TForm(owner),
      FImageWarning(LoadLayout(L"TMY").Control<TImage>(L"ImageWarning")),
      FImageStop(Control<TImage>(L"ImageStop")),
      FImageQuestion(Control<TImage>(L"ImageQuestion")),
      FTitleLabel(Control<TLabel>(L"TitleLabel")),
      FBodyLabel(Control<TLabel>(L"BodyLabel")),
      FButton1(Control<TButton>(L"Button1")),
      FButton2(Control<TButton>(L"Button2")),
      FButton3(Control<TButton>(L"Button3")) {
  FormCreate();
}

void TMy::FormCreate() {
  FImageStop.Hide();
  FImageQuestion.Hide();
  FImageStop.SetBounds(FImageWarning.Left(), FImageWarning.Top(), FImageStop.Width(), FImageStop.Height());
  FImageQuestion.SetBounds(FImageWarning.Left(), FImageWarning.Top(), FImageQuestion.Width(), FImageQuestion.Height());
  SetCaption(L"");
}

int TMy::Mess(const std::wstring& title, const std::wstring& body, int messageType) {
  SetCaption(TitleCaption);
  FTitleLabel.SetCaption(title);
  FBodyLabel.SetCaption(SpaceBeforeBackslashes(body));

  TButton* const buttons[] = {&FButton1, &FButton2, &FButton3};
  TImage* const pictures[] = {&FImageWarning, &FImageStop, &FImageQuestion};
  for (TButton* b : buttons) b->Hide();
  for (TImage* p : pictures) p->Hide();

  const TMessageSetup setup = MessageSetupFor(messageType);
  TButton* first = nullptr;
  for (std::size_t i = 0; i < setup.Buttons.size(); ++i) {
    if (!setup.Buttons[i].Caption) continue;
    buttons[i]->SetCaption(setup.Buttons[i].Caption);
    buttons[i]->SetModalResult(setup.Buttons[i].Result);
    buttons[i]->Show();
    if (!first) first = buttons[i];
  }
  pictures[static_cast<std::size_t>(setup.Picture)]->Show();
  // Enter presses the first visible button, which also holds the focus.
  DefaultButton = first;
  for (TButton* b : buttons) b->SetDefault(b == first);
  Handle();
  if (first) first->SetFocus();
  return ShowModal();
}

int MyMess(const std::wstring& title, const std::wstring& body, int messageType) {
  TMy dialog(nullptr);
  return dialog.Mess(title, body, messageType);
}
