#pragma once
// The appearing-text label as its behaviours and its logic see it; the control implements
// it over the toolkit's label, tests over a plain record.
#include <cstdint>
#include <optional>
#include <string>

#include "about/random_source.h"
#include "ui/timer.h"

struct TLabelBounds {
  std::int32_t Left;
  std::int32_t Top;
  std::int32_t Width;
  std::int32_t Height;
};

struct TClientSize {
  std::int32_t Width;
  std::int32_t Height;
};

class IBehaviorLabel {
 public:
  virtual ~IBehaviorLabel() = default;

  virtual TLabelBounds Bounds() const = 0;
  virtual void SetBounds(const TLabelBounds& bounds) = 0;
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool visible) = 0;
  // The client size of the label's container; none while the label has no container.
  virtual std::optional<TClientSize> ParentClientSize() const = 0;

  virtual std::wstring Caption() const = 0;
  virtual void SetCaption(const std::wstring& caption) = 0;
  virtual std::wstring EffectText() const = 0;
  virtual void SetEffectText(const std::wstring& text) = 0;
  virtual void SetUseEffectText(bool use) = 0;
  // Width of text in the label's font, in pixels.
  virtual std::int32_t TextWidth(const std::wstring& text) const = 0;
  // Paints the label now, outside the usual paint cycle.
  virtual void Repaint() = 0;

  // True while the label's stored layout is being read, and while it is being destroyed.
  virtual bool Loading() const = 0;
  virtual bool Destroying() const = 0;

  // Raise the label's OnStart and OnStop, when handlers are set.
  virtual void DoStart() = 0;
  virtual void DoStop() = 0;

  virtual ITimerFactory& Timers() = 0;
  virtual IRandomSource& Random() = 0;
};
