#include "about/behaviors/other_behaviors.h"

#include <algorithm>

#include "base/errors.h"

namespace {

// Shows text instead of the caption.
void ShowEffect(IBehaviorLabel& label, const std::wstring& text) {
  label.SetEffectText(text);
  label.SetUseEffectText(true);
}

}  // namespace

// Blinking

TLabelBlink::TLabelBlink(IBehaviorLabel* label) : TLabelBehaviorOf(label, 400u) {}

bool TLabelBlink::SetProperty(const std::wstring& name, const TLayoutValue& value) {
  if (name != L"Delay") return TTimedLabelBehavior::SetProperty(name, value);
  SetDelay(static_cast<std::uint32_t>(value.AsInt()));
  return true;
}

void TLabelBlink::Start() {
  TTimedLabelBehavior::Start();
  FHidden = false;
  Label().SetEffectText(L"");
  PrepareTimer(FDelay);
  EnableTimer();
}

void TLabelBlink::Stop() {
  ReleaseTimer();
  Label().SetUseEffectText(false);
  TTimedLabelBehavior::Stop();
}

void TLabelBlink::Tick() {
  FHidden = !FHidden;
  Label().SetUseEffectText(FHidden);
  SetTimerPeriod(FInterval);
}

// Bouncing

TLabelBounce::TLabelBounce(IBehaviorLabel* label) : TLabelBehaviorOf(label, 20u) {}

bool TLabelBounce::SetProperty(const std::wstring& name, const TLayoutValue& value) {
  if (name != L"Pixels") return TTimedLabelBehavior::SetProperty(name, value);
  SetPixels(value.AsInt());
  return true;
}

void TLabelBounce::Start() {
  TTimedLabelBehavior::Start();
  FOriginal = Label().Bounds();
  FMoved = true;
  PrepareTimer(FInterval);
  EnableTimer();
}

void TLabelBounce::Stop() {
  ReleaseTimer();
  if (FMoved) Label().SetBounds(FOriginal);
  FMoved = false;
  TTimedLabelBehavior::Stop();
}

void TLabelBounce::Tick() {
  const TLabelBounds b = Label().Bounds();
  const TClientSize client = Label().ParentClientSize().value_or(TClientSize{b.Left + b.Width, b.Top + b.Height});
  // Wide arithmetic: any Pixels value is a valid option.
  auto fits = [&](std::int32_t dx, std::int32_t dy) {
    const long long left = b.Left + dx * static_cast<long long>(FPixels);
    const long long top = b.Top + dy * static_cast<long long>(FPixels);
    return left >= 0 && top >= 0 && left + b.Width <= client.Width && top + b.Height <= client.Height;
  };
  if (!fits(FDx, FDy)) {
    static const std::int32_t diagonals[4][2] = {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
    std::int32_t open[4];
    std::uint32_t count = 0;
    for (std::int32_t i = 0; i < 4; ++i)
      if (fits(diagonals[i][0], diagonals[i][1])) open[count++] = i;
    if (count == 0) return;  // the container is too small to move in
    const std::int32_t pick = open[Label().Random().Next(count)];
    FDx = diagonals[pick][0];
    FDy = diagonals[pick][1];
  }
  // The step fits, so the new place is inside the container.
  Label().SetBounds({static_cast<std::int32_t>(b.Left + FDx * static_cast<long long>(FPixels)),
                     static_cast<std::int32_t>(b.Top + FDy * static_cast<long long>(FPixels)), b.Width, b.Height});
}

// Scrolling

TLabelScroll::TLabelScroll(IBehaviorLabel* label) : TLabelBehaviorOf(label, 100u) {}

bool TLabelScroll::SetProperty(const std::wstring& name, const TLayoutValue& value) {
  if (name == L"Direction") {
    const std::wstring& direction = value.AsIdentifier();
    if (direction != L"sdLeftToRight" && direction != L"sdRightToLeft")
      throw Exception(L"'" + direction + L"' is not a valid direction");
    SetDirection(direction == L"sdLeftToRight" ? sdLeftToRight : sdRightToLeft);
  } else if (name == L"Padding") {
    SetPadding(value.AsBool());
  } else {
    return TTimedLabelBehavior::SetProperty(name, value);
  }
  return true;
}

void TLabelScroll::Start() {
  TTimedLabelBehavior::Start();
  FText = Label().Caption();
  if (FPadding) {
    const std::int32_t space = std::max(1, Label().TextWidth(L" "));
    FText.append(static_cast<std::size_t>(std::max(0, Label().Bounds().Width / space)), L' ');
  }
  ShowEffect(Label(), FText);
  PrepareTimer(FInterval);
  EnableTimer();
}

void TLabelScroll::Stop() {
  ReleaseTimer();
  Label().SetUseEffectText(false);
  TTimedLabelBehavior::Stop();
}

void TLabelScroll::Tick() {
  if (FText.size() < 2) return;
  if (FDirection == sdLeftToRight)
    std::rotate(FText.rbegin(), FText.rbegin() + 1, FText.rend());
  else
    std::rotate(FText.begin(), FText.begin() + 1, FText.end());
  Label().SetEffectText(FText);
}

// Typing

TLabelTyping::TLabelTyping(IBehaviorLabel* label) : TLabelBehaviorOf(label, 100u) {}

bool TLabelTyping::SetProperty(const std::wstring& name, const TLayoutValue& value) {
  if (name != L"MakeErrors") return TTimedLabelBehavior::SetProperty(name, value);
  SetMakeErrors(value.AsBool());
  return true;
}

void TLabelTyping::Start() {
  TTimedLabelBehavior::Start();
  FTyped = 0;
  FShowingError = false;
  ShowEffect(Label(), L"");
  PrepareTimer(FInterval);
  EnableTimer();
}

void TLabelTyping::Stop() {
  ReleaseTimer();
  Label().SetUseEffectText(false);
  TTimedLabelBehavior::Stop();
}

void TLabelTyping::Tick() {
  const std::wstring caption = Label().Caption();
  std::wstring shown = caption.substr(0, FTyped);
  if (!FShowingError && FMakeErrors && FTyped < caption.size() && Label().Random().Next(8) == 0) {
    // A wrong key: any letter but the right one.
    wchar_t wrong = static_cast<wchar_t>(L'a' + Label().Random().Next(26));
    if (wrong == caption[FTyped]) wrong = wrong == L'z' ? L'a' : static_cast<wchar_t>(wrong + 1);
    shown += wrong;
    FShowingError = true;
  } else if (FShowingError) {
    FShowingError = false;
  } else {
    shown = caption.substr(0, ++FTyped);
  }
  Label().SetEffectText(shown);
  if (FTyped >= caption.size() && !FShowingError) SetActive(false);
}

// Special

TLabelSpecial::TLabelSpecial(IBehaviorLabel* label) : TLabelBehaviorOf(label, 20u) {}

void TLabelSpecial::Start() {
  TTimedLabelBehavior::Start();
  FRevealed = 0;
  FTrying = L' ';
  ShowEffect(Label(), L"");
  PrepareTimer(FInterval);
  EnableTimer();
}

void TLabelSpecial::Stop() {
  ReleaseTimer();
  Label().SetUseEffectText(false);
  TTimedLabelBehavior::Stop();
}

void TLabelSpecial::Tick() {
  const std::wstring caption = Label().Caption();
  if (FRevealed >= caption.size()) {
    SetActive(false);
    return;
  }
  Label().SetEffectText(caption.substr(0, FRevealed) + FTrying);
  if (FTrying >= caption[FRevealed]) {
    ++FRevealed;
    FTrying = L' ';
  } else {
    ++FTrying;
  }
}

// CodeBreaker

TLabelCodeBreaker::TLabelCodeBreaker(IBehaviorLabel* label) : TLabelBehaviorOf(label, 20u) {}

bool TLabelCodeBreaker::SetProperty(const std::wstring& name, const TLayoutValue& value) {
  if (name != L"DecodedText") return TTimedLabelBehavior::SetProperty(name, value);
  SetDecodedText(value.AsString());
  return true;
}

void TLabelCodeBreaker::Start() {
  TTimedLabelBehavior::Start();
  FWork = Label().Caption();
  FWork.resize(FDecodedText.size(), L' ');
  FSolved = 0;
  ShowEffect(Label(), FWork);
  PrepareTimer(FInterval);
  EnableTimer();
}

void TLabelCodeBreaker::Stop() {
  ReleaseTimer();
  Label().SetUseEffectText(false);
  TTimedLabelBehavior::Stop();
}

void TLabelCodeBreaker::Tick() {
  while (FSolved < FDecodedText.size() && FWork[FSolved] == FDecodedText[FSolved]) ++FSolved;
  if (FSolved == FDecodedText.size()) {
    Label().SetCaption(FDecodedText);
    SetActive(false);
    return;
  }
  const wchar_t wanted = FDecodedText[FSolved];
  // Guesses run over the printable characters; anything else is simply set.
  FWork[FSolved] = wanted < L' ' || wanted > L'~' ? wanted : static_cast<wchar_t>(L' ' + Label().Random().Next(95));
  Label().SetEffectText(FWork);
}
