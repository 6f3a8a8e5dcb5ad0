#include "app/registration.h"

#include "about/behavior_label.h"
#include "filelists/file_list_box.h"
#include "ui/std_controls.h"

void RegisterProgramComponents() {
  RegisterStandardControls();
  RegisterFileListComponents();
  RegisterAboutComponents();
}
