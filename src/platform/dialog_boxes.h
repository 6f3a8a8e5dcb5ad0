#pragma once
// The boxes another process shows: its visible top-level dialogs, read without ever waiting
// on that process for long, so that a hung program cannot hang the one that looks.
#include <string>
#include <vector>

#include "platform/server_process.h"

struct TDialogBox {
  std::wstring Caption;
  // The dialog's static texts in their order, joined by line breaks; pictures (an icon) left
  // out, as are texts that could not be read in time.
  std::wstring Text;
};

// The visible top-level windows of process that are dialogs (class "#32770"), each read in
// at most a fraction of a second; none when there are none or the process is gone.
std::vector<TDialogBox> DialogBoxesOf(TProcessId process);
