#pragma once
// The registered behaviours besides "Appearing". The program selects none of them; each
// works as its registry line says.
#include <cstdint>
#include <string>

#include "about/behaviors/behavior.h"

// "(none)": no animation; switching Active only raises OnStart and OnStop.
class TLabelNone : public TLabelBehavior {
 public:
  static const TBehaviorClassInfo ClassInfo;
  explicit TLabelNone(IBehaviorLabel* label) : TLabelBehavior(label, &ClassInfo) {}
  TBehaviorClass Class() const override { return &ClassInfo; }
};

// "Blinking": after Delay, switches every Interval between the caption and the (empty)
// effect text.
class TLabelBlink : public TTimedLabelBehavior {
 public:
  static const TBehaviorClassInfo ClassInfo;
  explicit TLabelBlink(IBehaviorLabel* label);
  TBehaviorClass Class() const override { return &ClassInfo; }
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
class TLabelBounce : public TTimedLabelBehavior {
 public:
  static const TBehaviorClassInfo ClassInfo;
  explicit TLabelBounce(IBehaviorLabel* label);
  TBehaviorClass Class() const override { return &ClassInfo; }
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
class TLabelScroll : public TTimedLabelBehavior {
 public:
  static const TBehaviorClassInfo ClassInfo;
  explicit TLabelScroll(IBehaviorLabel* label);
  TBehaviorClass Class() const override { return &ClassInfo; }
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
class TLabelTyping : public TTimedLabelBehavior {
 public:
  static const TBehaviorClassInfo ClassInfo;
  explicit TLabelTyping(IBehaviorLabel* label);
  TBehaviorClass Class() const override { return &ClassInfo; }
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
class TLabelSpecial : public TTimedLabelBehavior {
 public:
  static const TBehaviorClassInfo ClassInfo;
  explicit TLabelSpecial(IBehaviorLabel* label);
  TBehaviorClass Class() const override { return &ClassInfo; }

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
class TLabelCodeBreaker : public TTimedLabelBehavior {
 public:
  static const TBehaviorClassInfo ClassInfo;
  explicit TLabelCodeBreaker(IBehaviorLabel* label);
  TBehaviorClass Class() const override { return &ClassInfo; }
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
