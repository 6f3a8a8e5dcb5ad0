#include "about/behaviors/appear.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "base/errors.h"

namespace {

// Coordinates are computed wide and kept in the label's range, whatever the options.
std::int32_t Clamped(long long value) {
  return static_cast<std::int32_t>(
      std::clamp<long long>(value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

TAppearDirection ParseDirection(const TLayoutValue& value) {
  static const wchar_t* const names[] = {L"drFromLeft", L"drFromRight", L"drFromTop", L"drFromBottom"};
  for (int i = 0; i < 4; ++i)
    if (value.AsIdentifier() == names[i]) return static_cast<TAppearDirection>(i);
  throw Exception(L"'" + value.Text + L"' is not a valid direction");
}

}  // namespace

TLabelAppear::TLabelAppear(IBehaviorLabel* label) : TLabelBehaviorOf(label, 20u) {}

bool TLabelAppear::SetProperty(const std::wstring& name, const TLayoutValue& value) {
  if (name == L"Delay")
    SetDelay(static_cast<std::uint32_t>(value.AsInt()));
  else if (name == L"Pixels")
    SetPixels(value.AsInt());
  else if (name == L"AppearFrom")
    SetAppearFrom(ParseDirection(value));
  else
    return TTimedLabelBehavior::SetProperty(name, value);
  return true;
}

void TLabelAppear::Start() {
  if (Label().Loading() || Label().Destroying()) return;
  FParent = Label().ParentClientSize();
  if (!FParent) throw Exception(L"OwnerLabel.Parent is nil in TLabelAppear.Start");
  TTimedLabelBehavior::Start();
  PrepareTimer(FDelay);
  FFirst = true;
  const TLabelBounds b = Label().Bounds();
  FOriginalRect = {b.Left, b.Top, b.Left + b.Width, b.Top + b.Height};
  EnableTimer();
}

void TLabelAppear::Stop() {
  ReleaseTimer();
  const TBehaviorRect& r = FOriginalRect;
  if (r.Right > r.Left && r.Bottom > r.Top) Label().SetBounds({r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top});
  TTimedLabelBehavior::Stop();
}

void TLabelAppear::PlaceAtEntry(TLabelBounds& bounds, const TClientSize& client) const {
  switch (FAppearFrom) {
    case drFromLeft: bounds.Left = -bounds.Width; break;
    case drFromRight:
      bounds.Left = client.Width;
      bounds.Width = 0;
      break;
    case drFromTop: bounds.Top = -bounds.Height; break;
    case drFromBottom:
      bounds.Top = client.Height;
      bounds.Height = 0;
      break;
  }
}

// While the label still sticks out past the far edge, it is cut to end 2 pixels inside.
void TLabelAppear::FollowSize(TLabelBounds& bounds, const TClientSize& client) const {
  if (FAppearFrom == drFromRight) {
    const long long w0 = static_cast<long long>(FOriginalRect.Right) - FOriginalRect.Left;
    if (bounds.Width != w0)
      bounds.Width =
          Clamped(bounds.Left + w0 < client.Width ? w0 : std::max(0LL, 0LL + client.Width - bounds.Left - 2));
  } else if (FAppearFrom == drFromBottom) {
    const long long h0 = static_cast<long long>(FOriginalRect.Bottom) - FOriginalRect.Top;
    if (bounds.Height != h0)
      bounds.Height =
          Clamped(bounds.Top + h0 < client.Height ? h0 : std::max(0LL, 0LL + client.Height - bounds.Top - 2));
  }
}

void TLabelAppear::Tick() {
  const TClientSize client = Label().ParentClientSize().value_or(FParent.value_or(TClientSize{0, 0}));
  TLabelBounds bounds = Label().Bounds();
  if (FFirst) {
    PlaceAtEntry(bounds, client);
    Label().SetBounds(bounds);
    Label().SetVisible(true);
    FFirst = false;
  }
  const bool horizontal = FAppearFrom == drFromLeft || FAppearFrom == drFromRight;
  std::int32_t& moving = horizontal ? bounds.Left : bounds.Top;
  const std::int32_t target = horizontal ? FOriginalRect.Left : FOriginalRect.Top;
  const long long distance = std::llabs(static_cast<long long>(moving) - target);
  const bool done = distance < FPixels;
  // A step of 0 or less never arrives: the label waits at its entry place until switched off.
  const long long step = std::max(0, FPixels);
  if (done)
    moving = target;
  else if (FAppearFrom == drFromLeft || FAppearFrom == drFromTop)
    moving = Clamped(moving + step);
  else
    moving = Clamped(moving - step);
  FollowSize(bounds, client);
  Label().SetBounds(bounds);
  SetTimerPeriod(FInterval);
  if (done) SetActive(false);
}
