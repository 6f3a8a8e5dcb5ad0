#pragma once
// The UI thread's reference to Norvalt's object and what is known of it: linked, unanswered
// (a run was given up while a call to it waited) or gone (its server died).
#include <wrl/client.h>

#include <exception>
#include <string>

#include "app/norvalt_server.h"
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
  // The process serving the object (see TNorvaltServer), also when it is not lent.
  const std::shared_ptr<TServerProcess>& Process() const { return FServer.Process; }
  // A run made a new object: it takes the place of this one. One made by a run that was
  // given up meanwhile may be waited on by that run's call, so it counts as unanswered.
  void Replace(TNorvaltServer server, bool givenUp);
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

  TNorvaltServer FServer;
  TState FState = TState::NotLinked;
};
