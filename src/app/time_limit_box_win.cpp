#include "app/time_limit_box.h"

#include "dialogs/mymessage.h"

TTimeLimitBox::TTimeLimitBox(TComponent* owner)
    : TForm(owner),
      FLimitEdit(LoadLayout(L"TTIMELIMITBOX", {{L"OkButtonClick", Bind(this, &TTimeLimitBox::OkButtonClick)}})
                     .Control<TEdit>(L"LimitEdit")) {}

std::optional<TTimeLimit> TTimeLimitBox::Ask(const TTimeLimit& current) {
  FAccepted.reset();
  FLimitEdit.SetText(current.Text());
  Handle();
  FLimitEdit.SetFocus();
  return ShowModal() == mrOk ? FAccepted : std::nullopt;
}

void TTimeLimitBox::OkButtonClick(TComponent*) {
  const TTimeLimit::TParsed parsed = TTimeLimit::Parse(FLimitEdit.Text());
  if (!parsed.Limit) {
    MyMess(L"Invalid time limit", parsed.Error, 0);
    FLimitEdit.SetFocus();
    return;
  }
  FAccepted = parsed.Limit;
  SetModalResult(mrOk);
}

std::optional<TTimeLimit> AskTimeLimit(const TTimeLimit& current) {
  TTimeLimitBox box(nullptr);
  return box.Ask(current);
}
