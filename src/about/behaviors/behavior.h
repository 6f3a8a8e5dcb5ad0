#pragma once
// The base of every label behaviour (an animation that a behaviour label runs), its class
// records for the registry, and the base of behaviours paced by a UI timer.
#include <cstdint>
#include <memory>
#include <string>

#include "about/behaviors/label_host.h"
#include "ui/layout.h"

class TLabelBehavior;

// What the registry knows about a behaviour class: its name and how to make one.
struct TBehaviorClassInfo {
  const wchar_t* ClassName;
  std::unique_ptr<TLabelBehavior> (*Create)(IBehaviorLabel* label);
};
using TBehaviorClass = const TBehaviorClassInfo*;

// Held by shared pointers: a behaviour keeps itself alive while one of its own steps runs,
// so that an event handler may drop it from its label meanwhile.
class TLabelBehavior : public std::enable_shared_from_this<TLabelBehavior> {
 public:
  static const TBehaviorClassInfo ClassInfo;

  // Raises "Cannot call <class>.Create with ALabel = nil" without a label.
  explicit TLabelBehavior(IBehaviorLabel* label) : TLabelBehavior(label, &ClassInfo) {}
  virtual ~TLabelBehavior() = default;
  TLabelBehavior(const TLabelBehavior&) = delete;
  TLabelBehavior& operator=(const TLabelBehavior&) = delete;

  virtual TBehaviorClass Class() const { return &ClassInfo; }

  bool Active() const { return FActive; }
  // Stop runs while Active still reads on; Start runs once it reads on.
  void SetActive(bool active);

  // Sets a stored property ("Active", "Pixels", ...) from a layout value; false when the
  // behaviour has no property of that name.
  virtual bool SetProperty(const std::wstring& name, const TLayoutValue& value);

  // The label's bounds changed; nothing here needs it.
  virtual void LabelResized() {}

  // After the label's stored layout is read: a behaviour stored as active starts now.
  void ResumeAfterLoading() {
    if (FActive) Start();
  }

  // Stops without raising OnStop, as destruction does, once: the label has dropped the
  // behaviour, which never acts on the label again.
  void StopSilently() noexcept;

 protected:
  TLabelBehavior(IBehaviorLabel* label, TBehaviorClass cls);

  // Both raise the label's event unless an option change or destruction is under way.
  virtual void Start();
  virtual void Stop();

  // An option that needs a restart is stored between these two: a running behaviour stops
  // and starts again from its beginning, raising neither OnStop nor OnStart.
  void BeginOptionChange();
  void EndOptionChange();
  // Stores value into option through an option change, when it differs.
  template <typename T>
  void ChangeRestartingOption(T& option, const T& value) {
    if (option == value) return;
    BeginOptionChange();
    option = value;
    EndOptionChange();
  }

  IBehaviorLabel& Label() const { return *FLabel; }

 private:
  IBehaviorLabel* FLabel;
  bool FTmpActive = false;
  bool FActive = false;
  bool FTemporary = false;
  bool FDropped = false;
};

// Frees a behaviour the way the label does: a silent stop first, so that the full object
// still answers the virtual Stop.
struct TBehaviorDeleter {
  void operator()(TLabelBehavior* behavior) const noexcept;
};
using TBehaviorPtr = std::shared_ptr<TLabelBehavior>;
TBehaviorPtr AdoptBehavior(std::unique_ptr<TLabelBehavior> behavior);

// A behaviour paced by one UI timer, which exists only while it runs.
class TTimedLabelBehavior : public TLabelBehavior {
 public:
  std::uint32_t Interval() const { return FInterval; }
  void SetInterval(std::uint32_t interval) { ChangeRestartingOption(FInterval, interval); }
  bool SetProperty(const std::wstring& name, const TLayoutValue& value) override;

 protected:
  TTimedLabelBehavior(IBehaviorLabel* label, TBehaviorClass cls, std::uint32_t interval);

  // Creates the timer when there is none and sets its period; EnableTimer starts it.
  void PrepareTimer(std::uint32_t period);
  void EnableTimer();
  void SetTimerPeriod(std::uint32_t period);
  // Safe inside the timer's own tick.
  void ReleaseTimer() { FTimer.reset(); }

  virtual void Tick() = 0;

  std::uint32_t FInterval;

 private:
  std::unique_ptr<ITimer> FTimer;
};

// What every registered behaviour class declares alike, written once: Derived names itself
// in ClassName and gets its class record, Class() and a constructor that hands the record
// to Base along with Base's options (a timed behaviour's interval).
template <typename Derived, typename Base = TTimedLabelBehavior>
class TLabelBehaviorOf : public Base {
 public:
  static const TBehaviorClassInfo ClassInfo;
  TBehaviorClass Class() const override { return &ClassInfo; }

 protected:
  template <typename... Options>
  explicit TLabelBehaviorOf(IBehaviorLabel* label, Options... options) : Base(label, &ClassInfo, options...) {}

 private:
  static std::unique_ptr<TLabelBehavior> Create(IBehaviorLabel* label) { return std::make_unique<Derived>(label); }
};

template <typename Derived, typename Base>
const TBehaviorClassInfo TLabelBehaviorOf<Derived, Base>::ClassInfo{Derived::ClassName, &TLabelBehaviorOf::Create};
