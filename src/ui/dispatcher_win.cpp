#include "ui/dispatcher.h"

#include <windows.h>

#include "base/errors.h"
#include "ui/application.h"
#include "ui/error_text.h"
#include "ui/message_window.h"

namespace {

constexpr UINT WM_REPORT_PAINT_ERROR = WM_APP + 0x5A2;
constexpr wchar_t ReportWindowClass[] = L"VelbrookPaintErrorReport";

// The paint error posted and not yet answered (UI thread only).
std::exception_ptr gWaitingPaintError;
// Takes the errors instead of the box, when set (UI thread only).
std::function<void(const std::exception_ptr&)> gReport;

void ReportWaitingPaintError() {
  if (!gWaitingPaintError) return;
  // It stays waiting while its box is open, so that paints failing under the box add none.
  ShowException(gWaitingPaintError);
  gWaitingPaintError = nullptr;
}

LRESULT CALLBACK ReportWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_REPORT_PAINT_ERROR) return DefWindowProcW(wnd, msg, wParam, lParam);
  ReportWaitingPaintError();
  return 0;
}

HWND ReportWindow() {
  static const TWindowHandle window = CreateMessageWindow(ReportWindowClass, ReportWindowProc, L"error report");
  return window.Get();
}

}  // namespace

void ShowException(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const EAbort&) {
    return;
  } catch (...) {}
  if (gReport) return gReport(error);
  const std::wstring text = ExceptionText(error);
  MessageBoxW(GetActiveWindow(), text.c_str(), Application().Title().c_str(), MB_OK | MB_ICONERROR);
}

void ReportExceptionsTo(std::function<void(const std::exception_ptr&)> report) { gReport = std::move(report); }

bool RunGuarded(const std::function<void()>& action) {
  try {
    action();
    return true;
  } catch (...) {
    ShowException(std::current_exception());
    return false;
  }
}

bool RunPaintGuarded(const std::function<void()>& action) {
  try {
    action();
    return true;
  } catch (...) {
    if (gWaitingPaintError) return false;
    gWaitingPaintError = std::current_exception();
  }
  bool posted = false;
  try {
    posted = PostMessageW(ReportWindow(), WM_REPORT_PAINT_ERROR, 0, 0) != 0;
  } catch (...) {}
  // Without a window to post to, the error is shown now, once, rather than lost.
  if (!posted) ReportWaitingPaintError();
  return false;
}
