#include "ui/dispatcher.h"

#include <windows.h>

#include "base/errors.h"
#include "ui/application.h"
#include "ui/error_text.h"

void ShowException(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const EAbort&) {
    return;
  } catch (...) {}
  const std::wstring text = ExceptionText(error);
  MessageBoxW(GetActiveWindow(), text.c_str(), Application().Title().c_str(), MB_OK | MB_ICONERROR);
}

bool RunGuarded(const std::function<void()>& action) {
  try {
    action();
    return true;
  } catch (...) {
    ShowException(std::current_exception());
    return false;
  }
}
