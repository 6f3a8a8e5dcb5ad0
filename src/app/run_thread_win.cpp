#include "app/run_thread.h"

#include <objbase.h>
#include <process.h>

#include <atomic>

#include "app/norvalt_server.h"
#include "app/run_keeper.h"
#include "automation/norvalt_tlb.h"
#include "automation/ole_error.h"
#include "base/errors.h"
#include "threads/guarded.h"
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
  // Set by the UI thread when it gives the run up; the worker makes no call after it.
  std::atomic<bool> GivenUp{false};
  // GetTickCount64() when the call under way began; 0 between calls.
  std::atomic<unsigned long long> CallStartedAt{0};
  // GetTickCount64() when the file under way was opened; 0 between files.
  std::atomic<unsigned long long> FileStartedAt{0};
  // Why the file under way will fail (Norvalt is being ended) and the box Norvalt shows
  // meanwhile, both set by the UI thread; the process serving the worker's object; and the
  // run's folder, once its first backup is taken.
  TGuarded<std::wstring> CutOffReason, BoxText, RunFolder;
  TGuarded<std::shared_ptr<TServerProcess>> Process;
  // The file under way (or the last one), -1 before the first.
  std::atomic<int> FileIndex{-1};
  // The files whose treatment has ended so far, treated and failed.
  std::atomic<int> Treated{0}, Failed{0};

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

// Norvalt's object for the calling thread, taken from a stream that another thread marshalled
// it into; the stream is then empty.
ComPtr<INorvaltx> Unmarshal(ComPtr<IStream>& stream) {
  ComPtr<INorvaltx> server;
  const HRESULT status = ::CoUnmarshalInterface(stream.Get(), IID_PPV_ARGS(&server));
  stream.Reset();  // unmarshalling releases the marshalled reference, whether it succeeds or not
  OleCheck(status, nullptr, IID_NULL);
  return server;
}

// Releases the reference held by a marshalled stream that was never unmarshalled.
void ReleaseUntaken(ComPtr<IStream>& stream) {
  if (!stream) return;
  stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
  ::CoReleaseMarshalData(stream.Get());
  stream.Reset();
}

// A new Norvalt object for the worker. The UI thread is given it too, for the runs to come,
// also when the run has been given up meanwhile, so that no reference is left in a stream.
ComPtr<INorvaltx> NewServer(const std::shared_ptr<TRunThread::TShared>& shared) {
  TNorvaltServer server;
  {
    TCallWatch watch(shared->CallStartedAt);
    server = MakeNorvaltServer(shared->Process.Get());
  }
  shared->Process.Set(server.Process);
  ComPtr<IStream> forUIThread;
  OleCheck(::CoMarshalInterThreadInterfaceInStream(__uuidof(INorvaltx), server.Object.Get(), &forUIThread), nullptr,
           IID_NULL);
  PostToUIThread([shared, forUIThread, process = server.Process]() mutable {
    TNorvaltServer made{Unmarshal(forUIThread), process};
    shared->Events.NewServer(std::move(made), shared->Abandoned);
  });
  return server.Object;
}

// The run was given up while a call waited: whatever that call did, the run makes no further
// call, and its file counts as cut off.
class ECallGivenUp : public EAbort {
 public:
  ECallGivenUp() : EAbort(L"Norvalt did not answer; the run was stopped here") {}
};

// Norvalt's operations, each one watched: the UI thread's object unmarshalled here, or a new
// one when that one no longer answers. Once the run is given up, no call goes out.
class TWatchedNorvalt : public INcProcessor {
 public:
  explicit TWatchedNorvalt(const std::shared_ptr<TRunThread::TShared>& shared)
      : FShared(shared), FNorvalt(first_server()) {}
  void LoadScript(const std::wstring& path) override {
    watched([&] { FNorvalt.LoadScript(path); });
  }
  void OpenNcFile(const std::wstring& path) override {
    FShared->FileStartedAt = ::GetTickCount64();
    watched([&] { FNorvalt.OpenNcFile(path); });
  }
  void ScriptStep1() override {
    watched([&] { FNorvalt.ScriptStep1(); });
  }
  void ScriptStep2() override {
    watched([&] { FNorvalt.ScriptStep2(); });
  }
  void SaveNcFileAs(const std::wstring& path) override {
    watched([&] { FNorvalt.SaveNcFileAs(path); });
  }
  void Reconnect() override {
    refuse_if_given_up();
    FNorvalt = TNorvalt(NewServer(FShared));
  }

 private:
  ComPtr<INorvaltx> first_server() {
    refuse_if_given_up();
    return FShared->MarshalledServer ? Unmarshal(FShared->MarshalledServer) : NewServer(FShared);
  }

  void refuse_if_given_up() const {
    if (FShared->GivenUp) throw ECallGivenUp();
  }

  // Makes the call, unless the run was given up; a failure is reworded when the UI thread
  // cut the file off, and names the box Norvalt showed meanwhile.
  template <class Call>
  void watched(Call call) {
    refuse_if_given_up();
    try {
      TCallWatch watch(FShared->CallStartedAt);
      call();
    } catch (const EOleError& e) {
      refuse_if_given_up();
      throw reworded(e);
    }
    refuse_if_given_up();
  }

  EOleError reworded(const EOleError& e) const {
    const std::wstring cutOff = FShared->CutOffReason.Get(), box = FShared->BoxText.Get();
    std::wstring text = cutOff.empty() ? e.Message() : cutOff;
    if (!box.empty()) text += L" (" + box + L")";
    return EOleError(text, e.ErrorCode);
  }

  const std::shared_ptr<TRunThread::TShared>& FShared;
  TNorvalt FNorvalt;
};

// Tells the UI thread which file is under way. A progress bar needs no more than some
// twenty pictures a second, and a message per file would cost a fast run dearly, so the
// files in between are only counted.
class TPostedProgress : public IRunProgress {
 public:
  TPostedProgress(const std::shared_ptr<TRunThread::TShared>& shared, TRunKeeper& keeper)
      : FShared(shared), FKeeper(keeper) {}
  void FileStarting(int index) override {
    // Set first: a backup that fails ends the run at this file.
    FShared->FileIndex = index;
    FKeeper.BackUp(index);
    if (index == 0) FShared->RunFolder.Set(FKeeper.Folder());
    const ULONGLONG now = ::GetTickCount64();
    if (index > 0 && now - FLastPost < kPostIntervalMs) return;
    FLastPost = now;
    FShared->Post([index](TRunThread::TShared& s) { s.Events.FileStarting(index); }, FShared);
  }
  void FileSaving(int) override { FKeeper.FileSaving(); }
  void FileEnded(int index, const std::wstring* error) override {
    FShared->FileStartedAt = 0;
    ++(error ? FShared->Failed : FShared->Treated);
    FShared->CutOffReason.Set({});
    FShared->BoxText.Set({});
    FKeeper.FileEnded(index, error);
  }
  bool StopRequested() override { return FShared->StopRequested; }

 private:
  static constexpr ULONGLONG kPostIntervalMs = 50;
  const std::shared_ptr<TRunThread::TShared>& FShared;
  TRunKeeper& FKeeper;
  ULONGLONG FLastPost = 0;
};

void Walk(const std::shared_ptr<TRunThread::TShared>& shared, std::unique_ptr<TRunKeeper>& keeper, TRunEnd& end) {
  try {
    keeper = std::make_unique<TRunKeeper>(shared->Plan);
    TWatchedNorvalt norvalt(shared);
    TPostedProgress progress(shared, *keeper);
    end.Walk = TreatFiles(shared->Plan, norvalt, progress);
    end.Stopped = end.Walk.Reached < static_cast<int>(shared->Plan.Files.size());
  } catch (...) {
    end.Error = std::current_exception();
  }
  // A run that failed before it took Norvalt's object over lets go of its reference.
  ReleaseUntaken(shared->MarshalledServer);
}

TRunEnd CarryOut(const std::shared_ptr<TRunThread::TShared>& shared) {
  TRunEnd end;
  std::unique_ptr<TRunKeeper> keeper;
  try {
    TWorkerApartment apartment;
    Walk(shared, keeper, end);
  } catch (...) {
    end.Error = std::current_exception();
  }
  end.LastFile = shared->FileIndex;
  end.Treated = shared->Treated;
  end.Failed = shared->Failed;
  end.RunFolder = shared->RunFolder.Get();
  try {
    if (keeper) keeper->Close(end.Stopped);
  } catch (const Exception&) {
    // The record keeps the lines already on the disk and reads back whole up to there; a
    // file's line still under way, the lines of the files not reached and the end are lost.
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

TRunThread::TRunThread(TRunPlan plan, INorvaltx* lentServer, std::shared_ptr<TServerProcess> process, TRunEvents events)
    : FShared(std::make_shared<TShared>()) {
  FShared->Plan = std::move(plan);
  FShared->Events = std::move(events);
  FShared->Process.Set(std::move(process));
  if (lentServer)
    OleCheck(::CoMarshalInterThreadInterfaceInStream(__uuidof(INorvaltx), lentServer, &FShared->MarshalledServer),
             nullptr, IID_NULL);
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

unsigned long long TRunThread::FileMs() const {
  const unsigned long long started = FShared->FileStartedAt;
  return started ? ::GetTickCount64() - started : 0;
}

void TRunThread::CutOff(const std::wstring& reason) { FShared->CutOffReason.Set(reason); }

void TRunThread::NoteBox(const std::wstring& text) { FShared->BoxText.Set(text); }

void TRunThread::Abandon() {
  FShared->GivenUp = true;
  RequestStop();
  FShared->Abandoned = true;
}

std::shared_ptr<TServerProcess> TRunThread::ServerProcess() const { return FShared->Process.Get(); }

int TRunThread::TreatedSoFar() const { return FShared->Treated; }

int TRunThread::FailedSoFar() const { return FShared->Failed; }

std::wstring TRunThread::RunFolder() const { return FShared->RunFolder.Get(); }

bool TRunThread::HasEnded() const { return ::WaitForSingleObject(FThread.Get(), 0) == WAIT_OBJECT_0; }
