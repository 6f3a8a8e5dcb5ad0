#include "app/taskbar_button.h"

ITaskbarList3* TTaskbarButton::Taskbar() {
  if (!FAsked) {
    FAsked = true;
    Microsoft::WRL::ComPtr<ITaskbarList3> list;
    if (SUCCEEDED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&list))) &&
        SUCCEEDED(list->HrInit()))
      FTaskbar = list;
  }
  return FTaskbar.Get();
}

void TTaskbarButton::ShowProgress(int position, int max) {
  ITaskbarList3* list = Taskbar();
  if (!list) return;
  if (position <= 0 || max <= 0) {
    list->SetProgressState(FWindow, TBPF_NOPROGRESS);
    return;
  }
  list->SetProgressState(FWindow, TBPF_NORMAL);
  list->SetProgressValue(FWindow, static_cast<ULONGLONG>(position), static_cast<ULONGLONG>(max));
}

void TTaskbarButton::ShowFailure() {
  if (ITaskbarList3* list = Taskbar()) list->SetProgressState(FWindow, TBPF_ERROR);
}

void TTaskbarButton::FlashUnlessInFront() {
  if (GetForegroundWindow() == FWindow) return;
  FLASHWINFO flash{sizeof(flash)};
  flash.hwnd = FWindow;
  flash.dwFlags = FLASHW_ALL | FLASHW_TIMERNOFG;  // until the window comes to the front
  FlashWindowEx(&flash);
}
