#pragma once
// "Appearing": the label waits Delay, shows up at an edge of its container and slides by
// Pixels every Interval into the place it had when the run started, then stops.
#include <cstdint>
#include <optional>

#include "about/behaviors/behavior.h"

enum TAppearDirection { drFromLeft = 0, drFromRight = 1, drFromTop = 2, drFromBottom = 3 };

struct TBehaviorRect {
  std::int32_t Left;
  std::int32_t Top;
  std::int32_t Right;
  std::int32_t Bottom;
};

class TLabelAppear : public TLabelBehaviorOf<TLabelAppear> {
 public:
  static constexpr wchar_t ClassName[] = L"TLabelAppear";
  explicit TLabelAppear(IBehaviorLabel* label);

  std::uint32_t Delay() const { return FDelay; }
  void SetDelay(std::uint32_t delay) { ChangeRestartingOption(FDelay, delay); }
  // Read at every tick.
  std::int32_t Pixels() const { return FPixels; }
  void SetPixels(std::int32_t pixels) { FPixels = pixels; }
  TAppearDirection AppearFrom() const { return FAppearFrom; }
  void SetAppearFrom(TAppearDirection from) { FAppearFrom = from; }

  bool SetProperty(const std::wstring& name, const TLayoutValue& value) override;

 protected:
  void Start() override;
  void Stop() override;
  void Tick() override;

 private:
  void PlaceAtEntry(TLabelBounds& bounds, const TClientSize& client) const;
  void FollowSize(TLabelBounds& bounds, const TClientSize& client) const;

  std::optional<TClientSize> FParent;
  std::uint32_t FDelay = 100;
  std::int32_t FPixels = 3;
  TAppearDirection FAppearFrom = drFromRight;
  TBehaviorRect FOriginalRect{0, 0, 0, 0};
  bool FFirst = false;
};
