#include "app/registration.h"

#include "about/behavior_label.h"
#include "filelists/list_registration.h"
#include "ui/std_controls.h"

void RegisterProgramComponents() {
  RegisterStandardControls();
  RegisterFileListComponents();
  RegisterAboutComponents();
}
