#include "dialogs/mymessage.h"

#include "dialogs/message_setup.h"

TMy::TMy(TComponent* owner)
    : TForm(owner),
      ImageWarning(LoadLayout(L"TMY").Control<TImage>(L"ImageWarning")),
      ImageStop(Control<TImage>(L"ImageStop")),
      ImageQuestion(Control<TImage>(L"ImageQuestion")),
      TitleLabel(Control<TLabel>(L"TitleLabel")),
      BodyLabel(Control<TLabel>(L"BodyLabel")),
      Button1(Control<TButton>(L"Button1")),
      Button2(Control<TButton>(L"Button2")),
      Button3(Control<TButton>(L"Button3")) {
  FormCreate();
}

void TMy::FormCreate() {
  ImageStop.Hide();
  ImageQuestion.Hide();
  ImageStop.SetBounds(ImageWarning.Left(), ImageWarning.Top(), ImageStop.Width(), ImageStop.Height());
  ImageQuestion.SetBounds(ImageWarning.Left(), ImageWarning.Top(), ImageQuestion.Width(), ImageQuestion.Height());
  SetCaption(L"");
}

int TMy::Mess(const std::wstring& Title, const std::wstring& Body, int MessageType) {
  SetCaption(TitleCaption);
  TitleLabel.SetCaption(Title);
  BodyLabel.SetCaption(SpaceBeforeBackslashes(Body));

  TButton* const buttons[] = {&Button1, &Button2, &Button3};
  TImage* const pictures[] = {&ImageWarning, &ImageStop, &ImageQuestion};
  for (TButton* b : buttons) b->Hide();
  for (TImage* p : pictures) p->Hide();

  const TMessageSetup setup = MessageSetupFor(MessageType);
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

int MyMess(const std::wstring& Title, const std::wstring& Body, int MessageType) {
  TMy dialog(nullptr);
  return dialog.Mess(Title, Body, MessageType);
}
