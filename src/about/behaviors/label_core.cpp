#include "about/behaviors/label_core.h"

#include "about/behaviors/behavior_registry.h"

const wchar_t* const NoBehaviorName = L"(none)";

TBehaviorLabelCore::TBehaviorLabelCore(IBehaviorLabel& label) : FLabel(label), FBehavior(NoBehaviorName) {
  RegisterStandardBehaviors();
}

void TBehaviorLabelCore::SetBehavior(const std::wstring& name) {
  if (name == FBehavior || !IsBehaviorRegistered(name)) return;
  FBehavior = name;
  // Stopped now; freed once a step of its own that may be running (an event handler
  // may have called this) has returned.
  if (FOptions) FOptions->StopSilently();
  FOptions.reset();
}

TLabelBehavior& TBehaviorLabelCore::BehaviorOptions() {
  if (!FOptions) FOptions = AdoptBehavior(FindBehaviorClass(FBehavior)->Create(&FLabel));
  return *FOptions;
}

void TBehaviorLabelCore::SetBehaviorOptions(const TLabelBehavior* options) {
  if (!options) {
    SetBehavior(L"");
    return;
  }
  if (!FOptions || FOptions->Class() != options->Class()) SetBehavior(FindBehaviorName(options->Class()));
}

bool TBehaviorLabelCore::SetBehaviorOption(const std::wstring& name, const TLayoutValue& value) {
  return BehaviorOptions().SetProperty(name, value);
}

void TBehaviorLabelCore::Loaded() { BehaviorOptions().ResumeAfterLoading(); }

void TBehaviorLabelCore::BoundsChanged() {
  if (!FLabel.Loading()) BehaviorOptions().LabelResized();
}

void TBehaviorLabelCore::SetUseEffectText(bool use) {
  if (use == FUseEffectText) return;
  FUseEffectText = use;
  if (!FLabel.Loading() && !FLabel.Destroying()) FLabel.Repaint();
}
