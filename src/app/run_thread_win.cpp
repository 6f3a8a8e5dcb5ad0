#include "app/run_thread.h"

#include <objbase.h>
#include <process.h>

#include <atomic>

#include "app/run_keeper.h"
#include "automation/norvalt_tlb.h"
#include "automation/ole_error.h"
#include "base/errors.h"
#include "ui/ui_thread_call.h"

using Microsoft::WRL::ComPtr;

struct TRunThread::TShared {
  TRunPlan Plan;
  TRunEvents Events;
  // Norvalt's object marshalled for the worker; null when the worker makes a new one.
  ComPtr<IStream> MarshalledServer;
  std::atomic<bool> StopRequested{false};
  // Written and read on the UI thread only: posted calls check it when they run.
  bool Abandoned = false;
  // GetTickCount64() when the call under way began; 0 between calls.
  std::atomic<unsigned long long> CallStartedAt{0};
  // The file under way (or the last one), -1 before the first.
  std::atomic<int> FileIndex{-1};

  // Runs action on the UI thread unless the run has been given up by then.
  void Post(std::function<void(TShared&)> action, const std::shared_ptr<TShared>& self) {
    PostToUIThread([self, action = std::move(action)] {
      if (!self->Abandoned) action(*self);
    });
  }
};

namespace {

// Joins the calling thread to the multi-threaded apartment, which needs no message loop.
class TWorkerApartment {
 public:
  TWorkerApartment() {
    const HRESULT status = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (FAILED(status)) RaiseOleError(status, nullptr, IID_NULL);
  }
  ~TWorkerApartment() { ::CoUninitialize(); }
  TWorkerApartment(const TWorkerApartment&) = delete;
  TWorkerApartment& operator=(const TWorkerApartment&) = delete;
};

// Marks the span of one Norvalt call, so that the UI thread can tell how long it waits.
class TCallWatch {
 public:
  explicit TCallWatch(std::atomic<unsigned long long>& startedAt) : FStartedAt(startedAt) {
    FStartedAt = ::GetTickCount64();
  }
  ~TCallWatch() { FStartedAt = 0; }
  TCallWatch(const TCallWatch&) = delete;
  TCallWatch& operator=(const TCallWatch&) = delete;

 private:
  std::atomic<unsigned long long>& FStartedAt;
};

// Norvalt's object for the calling thread, from a stream that another thread marshalled it into.
ComPtr<INorvaltx> Unmarshal(IStream* stream) {
  ComPtr<INorvaltx> server;
  OleCheck(::CoUnmarshalInterface(stream, IID_PPV_ARGS(&server)), nullptr, IID_NULL);
  return server;
}

// A new Norvalt object for the worker; the UI thread is given it too, for the runs to come.
ComPtr<INorvaltx> NewServer(const std::shared_ptr<TRunThread::TShared>& shared) {
  ComPtr<INorvaltx> server;
  {
    TCallWatch watch(shared->CallStartedAt);
    server = CoNorvaltx::Create();
  }
  ComPtr<IStream> forUIThread;
  OleCheck(::CoMarshalInterThreadInterfaceInStream(__uuidof(INorvaltx), server.Get(), &forUIThread), nullptr, IID_NULL);
  shared->Post([forUIThread](TRunThread::TShared& s) { s.Events.NewServer(Unmarshal(forUIThread.Get())); }, shared);
  return server;
}

// Norvalt's operations, each one watched: the UI thread's object unmarshalled here, or a new
// one when that one no longer answers.
class TWatchedNorvalt : public INcProcessor {
 public:
  explicit TWatchedNorvalt(const std::shared_ptr<TRunThread::TShared>& shared)
      : FShared(shared),
        FNorvalt(shared->MarshalledServer ? Unmarshal(shared->MarshalledServer.Get()) : NewServer(shared)) {}
  void LoadScript(const std::wstring& path) override {
    TCallWatch watch(FShared->CallStartedAt);
    FNorvalt.LoadScript(path);
  }
  void OpenNcFile(const std::wstring& path) override {
    TCallWatch watch(FShared->CallStartedAt);
    FNorvalt.OpenNcFile(path);
  }
  void ScriptStep1() override {
    TCallWatch watch(FShared->CallStartedAt);
    FNorvalt.ScriptStep1();
  }
  void ScriptStep2() override {
    TCallWatch watch(FShared->CallStartedAt);
    FNorvalt.ScriptStep2();
  }
  void SaveNcFileAs(const std::wstring& path) override {
    TCallWatch watch(FShared->CallStartedAt);
    FNorvalt.SaveNcFileAs(path);
  }
  void Reconnect() override { FNorvalt = TNorvalt(NewServer(FShared)); }

 private:
  const std::shared_ptr<TRunThread::TShared>& FShared;
  TNorvalt FNorvalt;
};

// Tells the UI thread which file is under way. A progress bar needs no more than some
// twenty pictures a second, and a message per file would cost a fast run dearly, so the
// files in between are only counted.
class TPostedProgress : public IRunProgress {
 public:
  TPostedProgress(const std::shared_ptr<TRunThread::TShared>& shared, TRunKeeper& recorder)
      : FShared(shared), FRecorder(recorder) {}
  void FileStarting(int index) override {
    FRecorder.BackUp(index);
    FShared->FileIndex = index;
    const ULONGLONG now = ::GetTickCount64();
    if (index > 0 && now - FLastPost < kPostIntervalMs) return;
    FLastPost = now;
    FShared->Post([index](TRunThread::TShared& s) { s.Events.FileStarting(index); }, FShared);
  }
  void FileSaving(int) override { FRecorder.FileSaving(); }
  void FileEnded(int index, const std::wstring* error) override { FRecorder.FileEnded(index, error); }
  bool StopRequested() override { return FShared->StopRequested; }

 private:
  static constexpr ULONGLONG kPostIntervalMs = 50;
  const std::shared_ptr<TRunThread::TShared>& FShared;
  TRunKeeper& FRecorder;
  ULONGLONG FLastPost = 0;
};

TRunEnd CarryOut(const std::shared_ptr<TRunThread::TShared>& shared) {
  TRunEnd end;
  std::unique_ptr<TRunKeeper> recorder;
  try {
    TWorkerApartment apartment;
    recorder = std::make_unique<TRunKeeper>(shared->Plan);
    TWatchedNorvalt norvalt(shared);
    TPostedProgress progress(shared, *recorder);
    end.Walk = TreatFiles(shared->Plan, norvalt, progress);
    end.Stopped = end.Walk.Reached < static_cast<int>(shared->Plan.Files.size());
  } catch (...) {
    end.Error = std::current_exception();
  }
  end.LastFile = shared->FileIndex;
  try {
    if (recorder) recorder->Close(end.Stopped);
  } catch (const Exception&) {
    // The record keeps what it had: every file handed to Norvalt has its line already.
  }
  return end;
}

unsigned __stdcall RunThreadProc(void* parameter) {
  const std::unique_ptr<std::shared_ptr<TRunThread::TShared>> handedOver(
      static_cast<std::shared_ptr<TRunThread::TShared>*>(parameter));
  const std::shared_ptr<TRunThread::TShared> shared = *handedOver;
  const TRunEnd end = CarryOut(shared);
  try {
    shared->Post([end](TRunThread::TShared& s) { s.Events.Ended(end); }, shared);
  } catch (...) {
    // Only a UI thread that is gone refuses the call; nobody is left to tell.
  }
  return 0;
}

}  // namespace

TRunThread::TRunThread(TRunPlan plan, INorvaltx* server, TRunEvents events) : FShared(std::make_shared<TShared>()) {
  FShared->Plan = std::move(plan);
  FShared->Events = std::move(events);
  if (server)
    OleCheck(::CoMarshalInterThreadInterfaceInStream(__uuidof(INorvaltx), server, &FShared->MarshalledServer), nullptr,
             IID_NULL);
  auto handedOver = std::make_unique<std::shared_ptr<TShared>>(FShared);
  FThread.Reset(reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, RunThreadProc, handedOver.get(), 0, nullptr)));
  if (!FThread) throw Exception(L"Cannot start the run");
  handedOver.release();  // the thread owns it now
}

TRunThread::~TRunThread() {
  if (FShared->Abandoned) return;
  RequestStop();
  // Calls from the worker onto this apartment (an object living here) must go on being served.
  DWORD index = 0;
  HANDLE thread = FThread.Get();
  ::CoWaitForMultipleHandles(COWAIT_DEFAULT, INFINITE, 1, &thread, &index);
  FShared->Abandoned = true;  // what it posted last must not reach an owner that is gone
}

void TRunThread::RequestStop() { FShared->StopRequested = true; }

int TRunThread::FileIndex() const { return FShared->FileIndex; }

unsigned long long TRunThread::PendingCallMs() const {
  const unsigned long long started = FShared->CallStartedAt;
  return started ? ::GetTickCount64() - started : 0;
}

void TRunThread::Abandon() {
  RequestStop();
  FShared->Abandoned = true;
}
