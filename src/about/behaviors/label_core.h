#pragma once
// The label side of the behaviour machinery: which behaviour a label runs, its options
// object, the effect text and the loading and resizing rules. The label control holds one
// and forwards to it.
#include <string>

#include "about/behaviors/behavior.h"

// The default behaviour name of every label.
extern const wchar_t* const NoBehaviorName;

class TBehaviorLabelCore {
 public:
  // Fills the behaviour registry on first use.
  explicit TBehaviorLabelCore(IBehaviorLabel& label);
  // The behaviour goes first, silently, while the label is still whole.
  ~TBehaviorLabelCore() = default;

  const std::wstring& Behavior() const { return FBehavior; }
  // Ignores the name it already has (exact) and names not registered; otherwise takes the
  // name as written and drops the current behaviour, which stops silently.
  void SetBehavior(const std::wstring& name);

  // The behaviour, created with default options on first need.
  TLabelBehavior& BehaviorOptions();
  // Switches to the class of options (not copying its values); none means no change.
  void SetBehaviorOptions(const TLabelBehavior* options);
  // Sets "BehaviorOptions.<name>" from a stored layout.
  bool SetBehaviorOption(const std::wstring& name, const TLayoutValue& value);

  // A stored layout names the behaviour only when it is not the default.
  bool BehaviorStored() const { return FBehavior != NoBehaviorName; }

  // After the stored layout is read, the label no longer loading and sized: starts a
  // behaviour whose Active was stored on.
  void Loaded();
  // After the label's own resize handling.
  void BoundsChanged();

  bool UseEffectText() const { return FUseEffectText; }
  void SetUseEffectText(bool use);
  const std::wstring& EffectText() const { return FEffectText; }
  void SetEffectText(const std::wstring& text) { FEffectText = text; }
  // What painting and automatic sizing use.
  const std::wstring& DisplayText(const std::wstring& caption) const { return FUseEffectText ? FEffectText : caption; }

 private:
  IBehaviorLabel& FLabel;
  std::wstring FBehavior;
  TBehaviorPtr FOptions;
  bool FUseEffectText = false;
  std::wstring FEffectText;
};
