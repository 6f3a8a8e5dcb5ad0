#pragma once
// The appearing-text label: the toolkit's label running one behaviour (a text animation)
// chosen by name. Stored layouts set "Behavior" and "BehaviorOptions.<property>".
#include <string>

#include "about/behaviors/label_core.h"
#include "ui/std_controls.h"

class TCustomBehaviorLabel : public TCustomLabel {
 public:
  explicit TCustomBehaviorLabel(TComponent* owner);
  ~TCustomBehaviorLabel() override;

  const std::wstring& Behavior() const { return FCore.Behavior(); }
  void SetBehavior(const std::wstring& name) { FCore.SetBehavior(name); }
  TLabelBehavior& BehaviorOptions() { return FCore.BehaviorOptions(); }
  void SetBehaviorOptions(const TLabelBehavior* options) { FCore.SetBehaviorOptions(options); }

  bool UseEffectText() const { return FCore.UseEffectText(); }
  void SetUseEffectText(bool use) { FCore.SetUseEffectText(use); }
  const std::wstring& EffectText() const { return FCore.EffectText(); }
  void SetEffectText(const std::wstring& text);

  TNotifyEvent OnStart;
  TNotifyEvent OnStop;

  std::wstring DisplayText() const override { return FCore.DisplayText(Caption()); }
  bool SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader) override;
  void Loaded() override;

 protected:
  void BoundsChanged() override;

 private:
  // The label as its behaviours see it.
  class TLink : public IBehaviorLabel {
   public:
    explicit TLink(TCustomBehaviorLabel& label) : FLabel(label) {}
    TLabelBounds Bounds() const override;
    void SetBounds(const TLabelBounds& bounds) override;
    bool Visible() const override { return FLabel.Visible(); }
    void SetVisible(bool visible) override { FLabel.SetVisible(visible); }
    std::optional<TClientSize> ParentClientSize() const override;
    std::wstring Caption() const override { return FLabel.Caption(); }
    void SetCaption(const std::wstring& caption) override { FLabel.SetCaption(caption); }
    std::wstring EffectText() const override { return FLabel.EffectText(); }
    void SetEffectText(const std::wstring& text) override { FLabel.SetEffectText(text); }
    void SetUseEffectText(bool use) override { FLabel.SetUseEffectText(use); }
    std::int32_t TextWidth(const std::wstring& text) const override;
    void Repaint() override;
    bool Loading() const override { return FLabel.Loading(); }
    bool Destroying() const override { return FLabel.Destroying() || FLabel.FDestroying; }
    void DoStart() override;
    void DoStop() override;
    ITimerFactory& Timers() override;
    IRandomSource& Random() override;

   private:
    TCustomBehaviorLabel& FLabel;
  };

  TLink FLink;
  bool FDestroying = false;
  TBehaviorLabelCore FCore;
};

class TBehaviorLabel : public TCustomBehaviorLabel {
 public:
  using TCustomBehaviorLabel::TCustomBehaviorLabel;
};

// Makes TStarfield and TBehaviorLabel known to the layout reader.
void RegisterAboutComponents();
