#include "ui/application.h"

#include "ui/error_text.h"
#include "ui/form.h"

TApplication& Application() {
  static TApplication application;
  return application;
}

#include <algorithm>

int TApplication::AddMessageHook(TMessageHook hook) {
  FHooks.push_back({++FLastHookKey, std::make_shared<const TMessageHook>(std::move(hook))});
  return FLastHookKey;
}

void TApplication::RemoveMessageHook(int key) {
  std::erase_if(FHooks, [key](const THookEntry& entry) { return entry.Key == key; });
}

bool TApplication::Hooked(int key) const {
  return std::any_of(FHooks.begin(), FHooks.end(), [key](const THookEntry& entry) { return entry.Key == key; });
}

const std::wstring& TApplication::Title() const {
  if (FTitle.empty()) {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size())
      path.resize(path.size() * 2);
    path.resize(length);
    FTitle = ApplicationTitleFromExeName(path);
  }
  return FTitle;
}

void TApplication::FormConstructed(TForm* form) {
  if (FMainFormNext) FMainForm = form;
  FMainFormNext = false;  // the main form's constructor may make other forms
}

void TApplication::FormDestroyed(TForm* form) {
  if (FMainForm == form) FMainForm = nullptr;
}

void TApplication::Dispatch(MSG& msg) {
  // Hooks may come and go while one runs (a modal loop inside it): each runs from a copy
  // that keeps it whole, and one removed meanwhile is skipped.
  const std::vector<THookEntry> hooks = FHooks;
  bool handled = false;
  for (const THookEntry& entry : hooks) {
    if (Hooked(entry.Key)) (*entry.Hook)(msg, handled);
    if (handled) return;
  }
  // Keyboard navigation (Tab, arrows, Enter, Escape) inside the program's forms.
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  if (root && dynamic_cast<TForm*>(TWinControl::FromHandle(root)) && IsDialogMessageW(root, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
    FTerminated = true;
    return false;
  }
  Dispatch(msg);
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      FTerminated = true;
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    Dispatch(msg);
  }
}

void TApplication::ProcessPaintMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&msg);
}

int TApplication::Run() {
  MSG msg{};
  while (!FTerminated && ProcessMessage(msg)) {}
  return static_cast<int>(msg.wParam);
}

void TApplication::Terminate() {
  if (FTerminated) return;
  FTerminated = true;
  PostQuitMessage(0);
}
