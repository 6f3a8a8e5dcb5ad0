#pragma once
// A batch run's worker thread. It has an apartment of its own and reaches Norvalt through a
// reference marshalled to it, so the UI thread stays free for the whole run however long a
// call takes. What it has to say reaches the UI thread as posted calls.
#include <windows.h>

#include <wrl/client.h>

#include <exception>
#include <functional>
#include <memory>

#include "app/batch_run.h"
#include "app/norvalt_server.h"
#include "app/run_outcome.h"
#include "base/win_handles.h"
#include "norvalt_h.h"

// What the worker tells, each on the UI thread.
struct TRunEvents {
  // A file is under way; a fast run tells of some files only.
  std::function<void(int index)> FileStarting;
  // A new Norvalt object that the worker made (see TRunThread), told also after the run was
  // given up (givenUp), when the worker may be waiting in a call to it.
  std::function<void(TNorvaltServer server, bool givenUp)> NewServer;
  std::function<void(const TRunEnd& end)> Ended;
};

class TRunThread {
 public:
  // Starts the run against `lentServer`, an object of the calling (UI) thread that stays its
  // owner's, served by process; when it is null, the worker makes a new Norvalt object first.
  // A new object made for the run (also when the server goes and the run goes on) is handed
  // back through NewServer.
  TRunThread(TRunPlan plan, INorvaltx* lentServer, std::shared_ptr<TServerProcess> process, TRunEvents events);
  // Asks the worker to stop and waits for it, unless it was abandoned.
  ~TRunThread();
  TRunThread(const TRunThread&) = delete;
  TRunThread& operator=(const TRunThread&) = delete;

  // The run ends after the file under way has been saved.
  void RequestStop();
  // The index of the file under way, or of the last one; -1 before the first.
  int FileIndex() const;
  // Milliseconds that the Norvalt call under way has waited so far; 0 between calls.
  unsigned long long PendingCallMs() const;
  // Milliseconds that the file under way has taken since it was opened; 0 between files.
  unsigned long long FileMs() const;
  // The call under way is about to be cut off by ending Norvalt's process: it then fails
  // with this reason, and the run treats that as a server that has gone.
  void CutOff(const std::wstring& reason);
  // What a box of Norvalt's says while the call under way waits; a failure of that call
  // names it. Empty when no box shows.
  void NoteBox(const std::wstring& text);
  // Gives the thread up while it waits for a call that may never return: it makes no
  // further call on Norvalt, finishes on its own, and nothing more that it reports reaches
  // the UI thread.
  void Abandon();
  // The files whose treatment has ended so far.
  int TreatedSoFar() const;
  int FailedSoFar() const;
  // The run's folder; empty until its first backup is taken.
  std::wstring RunFolder() const;
  // The process serving the object the worker calls now.
  std::shared_ptr<TServerProcess> ServerProcess() const;
  // True once the worker has ended, also after it was given up.
  bool HasEnded() const;

  struct TShared;

 private:
  std::shared_ptr<TShared> FShared;
  TKernelHandle FThread;
};
