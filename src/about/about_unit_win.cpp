#include "about/about_unit.h"

#include "identity/my_app_data.h"
#include "identity/regtypes.h"
#include "ui/application.h"

const wchar_t* const MakerWebAddress = L"www.ombrel-software.com";

TAboutBox::TAboutBox(TComponent* owner)
    : TForm(owner),
      // The layout is read, its handlers bound, before the members bind to its controls.
      Starfield1(LoadLayout(L"TABOUTBOX",
                            {
                                {L"FormActivate", Bind(this, &TAboutBox::FormActivate)},
                                {L"FormClose", Bind(this, &TAboutBox::FormClose)},
                                {L"BehaviorLabel1Stop", Bind(this, &TAboutBox::BehaviorLabel1Stop)},
                            })
                     .Control<TStarfield>(L"Starfield1")),
      Panel1(Control<TPanel>(L"Panel1")),
      BehaviorLabel1(Control<TBehaviorLabel>(L"BehaviorLabel1")),
      Panel2(Control<TPanel>(L"Panel2")),
      BehaviorLabel2(Control<TBehaviorLabel>(L"BehaviorLabel2")),
      BitBtn1(Control<TBitBtn>(L"BitBtn1")) {
  FormCreate();
}

void TAboutBox::FormCreate() {
  // Refreshes the identity values that the text blocks show.
  GetDataFolder();
}

void TAboutBox::FormActivate(TComponent*) {
  Starfield1.SetActive(true);
  BehaviorLabel2.Hide();
  BehaviorLabel2.SetCaption(L"");
  BehaviorLabel1.SetCaption(AppProductName + L"\r\nBy " + AppCompanyName + L"\r\n" + AppCopyright);
  BehaviorLabel1.BehaviorOptions().SetActive(true);
  const int w = ClientWidth(), lw = BehaviorLabel1.Width();
  Panel1.SetWidth(lw + 20);
  Panel1.SetLeft(w / 2 - lw / 2);
}

void TAboutBox::BehaviorLabel1Stop(TComponent*) {
  BehaviorLabel2.SetCaption(L"Version " + AppVersion + L"\r\n" + MakerWebAddress);
  BehaviorLabel2.Hide();
  BehaviorLabel2.BehaviorOptions().SetActive(true);
  const int w = ClientWidth(), lw2 = BehaviorLabel2.Width();
  Panel2.SetWidth(lw2 + 25);
  Panel2.SetLeft(w / 2 - lw2 / 2 - 10);
}

void TAboutBox::FormClose(TComponent*) {
  Application().ProcessMessages();
  Starfield1.SetActive(false);
  BehaviorLabel1.Hide();
  BehaviorLabel2.Hide();
}
