// NorvaltStandIn.exe: the stand-in Norvalt as a local automation server.
//   /RegServer    register for the current user, then exit
//   /UnregServer  remove that registration, then exit
//   /Shutdown     end a running server (under Wine it outlives a client that dies holding it,
//                 and under Wine 8 every client)
//   otherwise     serve CoNorvaltx until the last object is released or /Shutdown asks
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <utility>

#include "base/win_handles.h"
#include "norvalt_h.h"
#include "standin_registration_win.h"
#include "standin_server_win.h"

using Microsoft::WRL::ComPtr;

namespace {

std::wstring ExePath() {
  std::wstring path(MAX_PATH, L'\0');
  while (true) {
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring SettingsPath() {
  std::wstring path = ExePath();
  path.erase(path.find_last_of(L'\\') + 1);
  return path + L"NorvaltStandIn.ini";
}

constexpr wchar_t kShutdownEvent[] = L"Local\\NorvaltStandIn.Shutdown";

// The server lives while objects or locks are held; the last release ends the message
// loop. The factory is the only way objects come into being here.
class TFactory final : public IClassFactory {
 public:
  bool Register() {
    return SUCCEEDED(
        ::CoRegisterClassObject(CLSID_CoNorvaltx, this, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &FCookie));
  }
  // Without this, Wine keeps handing out a crashed server's class object and later
  // activations fail instead of starting a new server.
  void Withdraw() {
    if (FCookie) ::CoRevokeClassObject(std::exchange(FCookie, 0));
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<IClassFactory*>(this);
    return S_OK;
  }
  // The factory is a static of the server's lifetime; COM's references do not own it.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    try {
      Hold();
      ComPtr<INorvaltx> norvalt = CreateStandInNorvalt(
          SettingsPath(), {[this] { LetGo(); }, [this] { Withdraw(); }, [this](unsigned ms) { Delay(ms); },
                           [this](const std::wstring& caption, const std::wstring& text) { Box(caption, text); }});
      return norvalt.CopyTo(iid, object);
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    }
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock)
      Hold();
    else
      LetGo();
    return S_OK;
  }

 private:
  void Hold() { ++FHolds; }
  void LetGo() {
    if (--FHolds == 0) ::PostQuitMessage(0);
  }
  // While a call waits in a delay or a box, the class is withdrawn, and registered again once
  // the wait is over. Under Wine, a server process ended from outside leaves its class
  // registered, and every later activation then fails instead of starting a new server
  // (Windows drops a dead server's registration itself); a server that hangs is the one a
  // client is most likely to end so.
  class TWithdrawnWhileWaiting {
   public:
    explicit TWithdrawnWhileWaiting(TFactory& factory) : FFactory(factory) { FFactory.Withdraw(); }
    ~TWithdrawnWhileWaiting() { FFactory.Register(); }
    TWithdrawnWhileWaiting(const TWithdrawnWhileWaiting&) = delete;
    TWithdrawnWhileWaiting& operator=(const TWithdrawnWhileWaiting&) = delete;

   private:
    TFactory& FFactory;
  };

  // A call held by a delay directive keeps the message loop from seeing a request to shut
  // down, so the delay itself watches for one.
  void Delay(unsigned milliseconds) {
    const TWithdrawnWhileWaiting withdrawn(*this);
    const TKernelHandle shutdown(::OpenEventW(SYNCHRONIZE, FALSE, kShutdownEvent));
    if (!shutdown) return ::Sleep(milliseconds);
    if (::WaitForSingleObject(shutdown.Get(), milliseconds) != WAIT_OBJECT_0) return;
    Withdraw();
    ::ExitProcess(0);
  }

  // A box's own message loop runs while it is open; a timer served by that loop watches for
  // a request to shut down.
  void Box(const std::wstring& caption, const std::wstring& text) {
    const TWithdrawnWhileWaiting withdrawn(*this);
    FBoxShutdown.Reset(::OpenEventW(SYNCHRONIZE, FALSE, kShutdownEvent));
    FShowingBox = this;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, &TFactory::WatchForShutdown);
    ::MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
    ::KillTimer(nullptr, timer);
    FShowingBox = nullptr;
    FBoxShutdown.Reset();
  }
  static void CALLBACK WatchForShutdown(HWND, UINT, UINT_PTR, DWORD) {
    TFactory* const factory = FShowingBox;
    if (!factory || !factory->FBoxShutdown || ::WaitForSingleObject(factory->FBoxShutdown.Get(), 0) != WAIT_OBJECT_0)
      return;
    factory->Withdraw();
    ::ExitProcess(0);
  }

  static inline TFactory* FShowingBox = nullptr;
  TKernelHandle FBoxShutdown;
  long FHolds = 0;
  DWORD FCookie = 0;
};

int Serve() {
  TFactory factory;
  const TKernelHandle shutdown(::CreateEventW(nullptr, TRUE, FALSE, kShutdownEvent));
  if (!shutdown || !factory.Register()) return 1;
  HANDLE waitFor[] = {shutdown.Get()};
  for (;;) {
    const DWORD woken = ::MsgWaitForMultipleObjects(1, waitFor, FALSE, INFINITE, QS_ALLINPUT);
    if (woken == WAIT_OBJECT_0) break;
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        factory.Withdraw();
        return 0;
      }
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  factory.Withdraw();
  return 0;
}

// Asks a running server to end and waits (up to 10 s) until it has let go of its event.
int ShutDownRunningServer() {
  {
    const TKernelHandle shutdown(::OpenEventW(EVENT_MODIFY_STATE, FALSE, kShutdownEvent));
    if (!shutdown) return 0;
    ::SetEvent(shutdown.Get());
  }
  for (int i = 0; i < 200; ++i) {
    const TKernelHandle stillThere(::OpenEventW(SYNCHRONIZE, FALSE, kShutdownEvent));
    if (!stillThere) return 0;
    ::Sleep(50);
  }
  return 1;
}

bool IsSwitch(const wchar_t* argument, const wchar_t* name) {
  return (argument[0] == L'/' || argument[0] == L'-') && ::lstrcmpiW(argument + 1, name) == 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int count = 0;
  const TLocalMemory<wchar_t**> arguments(::CommandLineToArgvW(::GetCommandLineW(), &count));
  if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  int result = 0;
  if (count > 1 && IsSwitch(arguments.Get()[1], L"RegServer"))
    result = SUCCEEDED(RegisterStandIn(ExePath())) ? 0 : 1;
  else if (count > 1 && IsSwitch(arguments.Get()[1], L"UnregServer"))
    result = SUCCEEDED(UnregisterStandIn()) ? 0 : 1;
  else if (count > 1 && IsSwitch(arguments.Get()[1], L"Shutdown"))
    result = ShutDownRunningServer();
  else
    result = Serve();
  ::CoUninitialize();
  return result;
}
