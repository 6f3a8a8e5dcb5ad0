#pragma once
// The stand-in Norvalt object: serves INorvaltx's six used operations with real NC work,
// answers E_NOTIMPL for the rest, and follows the directives of its settings file and of
// the loaded script.
#include <wrl/client.h>

#include <functional>
#include <string>

#include "norvalt_h.h"

// What the process hosting the object wants to hear about.
struct TStandInHost {
  std::function<void()> OnFinalRelease;  // the object has gone away
  std::function<void()> BeforeCrash;     // a crash directive is about to end the process
  // Waits out a delay directive; without it the call sleeps. A server process waits so that
  // a request to shut down still ends it at once.
  std::function<void(unsigned milliseconds)> Delay;
  // Shows a box directive's message box until it is closed; without it the call shows a
  // plain one. A server process shows it so that a request to shut down still ends it.
  std::function<void(const std::wstring& caption, const std::wstring& text)> Box;
};

// Makes one stand-in object. `settingsPath` names the start-up settings file (a missing
// file means no settings).
Microsoft::WRL::ComPtr<INorvaltx> CreateStandInNorvalt(const std::wstring& settingsPath, TStandInHost host = {});
