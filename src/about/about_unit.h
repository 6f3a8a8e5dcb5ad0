#pragma once
// The About box: over a moving starfield, the program's name, maker and copyright line
// slide in, then its version and the maker's web address.
#include "about/behavior_label.h"
#include "about/starfield.h"
#include "ui/buttons.h"
#include "ui/form.h"

class TAboutBox : public TForm {
 public:
  explicit TAboutBox(TComponent* owner);

  TStarfield& Starfield1;
  TPanel& Panel1;
  TBehaviorLabel& BehaviorLabel1;
  TPanel& Panel2;
  TBehaviorLabel& BehaviorLabel2;
  TBitBtn& BitBtn1;

 private:
  void FormCreate();
  void FormActivate(TComponent* sender);
  void BehaviorLabel1Stop(TComponent* sender);
  void FormClose(TComponent* sender);
};

// The maker's web address shown under the version.
extern const wchar_t* const MakerWebAddress;
