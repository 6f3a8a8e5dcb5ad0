#pragma once
// The registered behaviours besides "Appearing". The program selects none of them; each
// works as its registry line says.
#include <cstdint>
#include <string>

#include "about/behaviors/behavior.h"

// "(none)": no animation; switching Active only raises OnStart and OnStop.
class TLabelNone : public TLabelBehaviorOf<TLabelNone, TLabelBehavior> {
 public:
  static constexpr wchar_t ClassName[] = L"TLabelNone";
  explicit TLabelNone(IBehaviorLabel* label) : TLabelBehaviorOf(label) {}
};

// "Blinking": after Delay, switches every Interval between the caption and the (empty)
// effect text.
class TLabelBlink : public TLabelBehaviorOf<TLabelBlink> {
 public:
  static constexpr wchar_t ClassName[] = L"TLabelBlink";
  explicit TLabelBlink(IBehaviorLabel* label);
  std::uint32_t Delay() const { return FDelay; }
  void SetDelay(std::uint32_t delay) { ChangeRestartingOption(FDelay, delay); }
  bool SetProperty(const std::wstring& name, const TLayoutValue& value) override;

 protected:
  void Start() override;
  void Stop() override;
  void Tick() override;

 private:
  std::uint32_t FDelay = 100;
  bool FHidden = false;
};

// "Bouncing": moves diagonally by Pixels every Interval inside the container, taking a
// random diagonal whenever the next step would leave it; back in place on stop.
class TLabelBounce : public TLabelBehaviorOf<TLabelBounce> {
 public:
  static constexpr wchar_t ClassName[] = L"TLabelBounce";
  explicit TLabelBounce(IBehaviorLabel* label);
  std::int32_t Pixels() const { return FPixels; }
  void SetPixels(std::int32_t pixels) { FPixels = pixels; }
  bool SetProperty(const std::wstring& name, const TLayoutValue& value) override;

 protected:
  void Start() override;
  void Stop() override;
  void Tick() override;

 private:
  std::int32_t FPixels = 2;
  std::int32_t FDx = 1;
  std::int32_t FDy = 1;
  TLabelBounds FOriginal{0, 0, 0, 0};
  bool FMoved = false;
};

enum TScrollDirection { sdLeftToRight, sdRightToLeft };

// "Scrolling": rotates the shown text by one character every Interval; with Padding,
// spaces as wide as the label are appended first.
class TLabelScroll : public TLabelBehaviorOf<TLabelScroll> {
 public:
  static constexpr wchar_t ClassName[] = L"TLabelScroll";
  explicit TLabelScroll(IBehaviorLabel* label);
  TScrollDirection Direction() const { return FDirection; }
  void SetDirection(TScrollDirection direction) { FDirection = direction; }
  bool Padding() const { return FPadding; }
  void SetPadding(bool padding) { FPadding = padding; }
  bool SetProperty(const std::wstring& name, const TLayoutValue& value) override;

 protected:
  void Start() override;
  void Stop() override;
  void Tick() override;

 private:
  TScrollDirection FDirection = sdRightToLeft;
  bool FPadding = false;
  std::wstring FText;
};

// "Typing": shows the caption one more character every Interval; with MakeErrors a wrong
// character shows now and then for one step; switches itself off when complete.
class TLabelTyping : public TLabelBehaviorOf<TLabelTyping> {
 public:
  static constexpr wchar_t ClassName[] = L"TLabelTyping";
  explicit TLabelTyping(IBehaviorLabel* label);
  bool MakeErrors() const { return FMakeErrors; }
  void SetMakeErrors(bool makeErrors) { FMakeErrors = makeErrors; }
  bool SetProperty(const std::wstring& name, const TLayoutValue& value) override;

 protected:
  void Start() override;
  void Stop() override;
  void Tick() override;

 private:
  bool FMakeErrors = false;
  bool FShowingError = false;
  std::size_t FTyped = 0;
};

// "Special": reveals the caption from left to right, the next character counting up
// through the character codes from the space; switches itself off at the end.
class TLabelSpecial : public TLabelBehaviorOf<TLabelSpecial> {
 public:
  static constexpr wchar_t ClassName[] = L"TLabelSpecial";
  explicit TLabelSpecial(IBehaviorLabel* label);

 protected:
  void Start() override;
  void Stop() override;
  void Tick() override;

 private:
  std::size_t FRevealed = 0;
  wchar_t FTrying = L' ';
};

// "CodeBreaker": changes characters of the caption at random, left to right, until each
// equals DecodedText's; then the caption becomes DecodedText and it switches itself off.
class TLabelCodeBreaker : public TLabelBehaviorOf<TLabelCodeBreaker> {
 public:
  static constexpr wchar_t ClassName[] = L"TLabelCodeBreaker";
  explicit TLabelCodeBreaker(IBehaviorLabel* label);
  const std::wstring& DecodedText() const { return FDecodedText; }
  // A running decoding starts over for the new text.
  void SetDecodedText(const std::wstring& text) { ChangeRestartingOption(FDecodedText, text); }
  bool SetProperty(const std::wstring& name, const TLayoutValue& value) override;

 protected:
  void Start() override;
  void Stop() override;
  void Tick() override;

 private:
  std::wstring FDecodedText;
  std::wstring FWork;
  std::size_t FSolved = 0;
};
