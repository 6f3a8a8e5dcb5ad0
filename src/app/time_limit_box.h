#pragma once
// The box behind the system-menu item "Time Limit per File...": one value, typed as the
// command line takes it, checked before the box closes.
#include <optional>

#include "app/time_limit.h"
#include "ui/buttons.h"
#include "ui/form.h"
#include "ui/std_controls.h"

class TTimeLimitBox : public TForm {
 public:
  explicit TTimeLimitBox(TComponent* owner);

  // Shows current, modally over the main form; the limit typed once OK accepts it, none on
  // Cancel. A value that is no time limit is refused with the program's message, and the box
  // stays open.
  std::optional<TTimeLimit> Ask(const TTimeLimit& current);

 private:
  void OkButtonClick(TComponent* sender);

  TEdit& FLimitEdit;
  std::optional<TTimeLimit> FAccepted;
};

// Shows the box once; what the rest of the program calls.
std::optional<TTimeLimit> AskTimeLimit(const TTimeLimit& current);
