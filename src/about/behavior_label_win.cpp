#include "about/behavior_label.h"

#include "about/random_source.h"
#include "about/starfield.h"
#include "ui/ui_timer.h"

TCustomBehaviorLabel::TCustomBehaviorLabel(TComponent* owner) : TCustomLabel(owner), FLink(*this), FCore(FLink) {}

// The behaviour goes first (the core is a member), silently, while the label is whole.
TCustomBehaviorLabel::~TCustomBehaviorLabel() { FDestroying = true; }

void TCustomBehaviorLabel::SetEffectText(const std::wstring& text) {
  if (text == FCore.EffectText()) return;
  FCore.SetEffectText(text);
  if (FCore.UseEffectText()) Invalidate();
}

bool TCustomBehaviorLabel::SetProperty(const std::wstring& name, const TLayoutValue& value,
                                       const TLayoutReader& reader) {
  static const std::wstring optionPrefix = L"BehaviorOptions.";
  if (name == L"Behavior")
    SetBehavior(value.AsString());
  else if (name.rfind(optionPrefix, 0) == 0)
    return FCore.SetBehaviorOption(name.substr(optionPrefix.size()), value);
  else if (name == L"OnStart")
    OnStart = reader.Handler(value);
  else if (name == L"OnStop")
    OnStop = reader.Handler(value);
  else
    return TCustomLabel::SetProperty(name, value, reader);
  return true;
}

void TCustomBehaviorLabel::Loaded() {
  TCustomLabel::Loaded();
  FCore.Loaded();
}

void TCustomBehaviorLabel::BoundsChanged() {
  TCustomLabel::BoundsChanged();
  if (!FDestroying) FCore.BoundsChanged();
}

TLabelBounds TCustomBehaviorLabel::TLink::Bounds() const {
  return {FLabel.Left(), FLabel.Top(), FLabel.Width(), FLabel.Height()};
}

void TCustomBehaviorLabel::TLink::SetBounds(const TLabelBounds& b) {
  FLabel.SetBounds(b.Left, b.Top, b.Width, b.Height);
}

std::optional<TClientSize> TCustomBehaviorLabel::TLink::ParentClientSize() const {
  const TWinControl* parent = FLabel.Parent();
  if (!parent) return std::nullopt;
  return TClientSize{parent->Width(), parent->Height()};
}

std::int32_t TCustomBehaviorLabel::TLink::TextWidth(const std::wstring& text) const {
  const TWindowDC screen(nullptr);
  const TSelectObject font(screen.Get(), FLabel.Font().Handle(FLabel.Dpi()));
  SIZE size{};
  ::GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  // Measured in the font the label draws with, given back in 96-DPI pixels, rounded up so
  // that the scaled label still holds the text.
  const auto dpi = static_cast<std::int32_t>(FLabel.Dpi());
  return (size.cx * 96 + dpi - 1) / dpi;
}

void TCustomBehaviorLabel::TLink::Repaint() {
  FLabel.Invalidate();
  if (FLabel.HandleAllocated()) ::UpdateWindow(FLabel.HandleIfAllocated());
}

void TCustomBehaviorLabel::TLink::DoStart() {
  if (FLabel.OnStart) FLabel.OnStart(&FLabel);
}

void TCustomBehaviorLabel::TLink::DoStop() {
  if (FLabel.OnStop) FLabel.OnStop(&FLabel);
}

ITimerFactory& TCustomBehaviorLabel::TLink::Timers() { return UITimers(); }

IRandomSource& TCustomBehaviorLabel::TLink::Random() { return ProcessRandom(); }

void RegisterAboutComponents() {
  RegisterComponentClass<TStarfield>(L"TStarfield");
  RegisterComponentClass<TBehaviorLabel>(L"TBehaviorLabel");
}
