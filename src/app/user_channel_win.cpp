#include "app/user_channel.h"

#include "app/parent_console.h"
#include "dialogs/mymessage.h"
#include "ui/dispatcher.h"
#include "ui/error_text.h"

void TInteractiveUser::Tell(const std::wstring& title, const std::wstring& text) { MyMess(title, text, 0); }

bool TInteractiveUser::Ask(const std::wstring& title, const std::wstring& question) {
  return MyMess(title, question, 1) == mrYes;
}

void TInteractiveUser::ReportError(const std::exception_ptr& error) { ShowException(error); }

void TUnattendedUser::Tell(const std::wstring&, const std::wstring& text) {
  WriteToParentConsole(text);
  FLogged.Message += (FLogged.Message.empty() ? L"" : L" ") + text;
}

void TUnattendedUser::ReportError(const std::exception_ptr& error) { Tell(L"", ExceptionText(error)); }

void TUnattendedUser::Account(int treated, int failed, const std::wstring& runFolder) {
  FLogged.Treated = treated;
  FLogged.Failed = failed;
  FLogged.RunFolder = runFolder;
}
