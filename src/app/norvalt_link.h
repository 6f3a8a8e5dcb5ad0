#pragma once
// The UI thread's reference to Norvalt's object and what is known of it: linked, unanswered
// (a run was given up while a call to it waited) or gone (its server died).
#include <wrl/client.h>

#include <exception>
#include <string>

#include "norvalt_h.h"

class TNorvaltLink {
 public:
  enum class TState { NotLinked, Linked, Unanswered, Gone };

  TNorvaltLink() = default;
  TNorvaltLink(const TNorvaltLink&) = delete;
  TNorvaltLink& operator=(const TNorvaltLink&) = delete;

  // Makes Norvalt's object; false when Norvalt cannot be linked.
  bool Link();
  bool Linked() const { return FState != TState::NotLinked; }
  TState State() const { return FState; }
  // The folder Norvalt works in, for the window to start in.
  std::wstring WorkFolder() const;

  // The object a run is to use, lent for the run's start; null when the run is to make a
  // new one, as this one does not answer or its server has gone.
  INorvaltx* LendForRun() const;
  // A run made a new object: it takes the place of this one.
  void Replace(Microsoft::WRL::ComPtr<INorvaltx> server);
  // A run was given up while a call to the object waited, which may never return.
  void MarkUnanswered() { FState = TState::Unanswered; }
  // An error ended a run: the server may have gone with it.
  void RunFailed(const std::exception_ptr& error);

  // Whether the object may be released at the end: releasing one that does not answer would
  // wait for as long as Norvalt hangs.
  bool MayRelease() const { return FState != TState::Unanswered; }

 private:
  // Lets go of an unanswered object without releasing it, for the same reason.
  void leave_unreleased();

  Microsoft::WRL::ComPtr<INorvaltx> FNorvalt;
  TState FState = TState::NotLinked;
};
