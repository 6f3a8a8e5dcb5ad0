#include "app/unattended_run.h"

#include <windows.h>

#include "app/filter_box.h"
#include "app/mainunit.h"
#include "app/parent_console.h"
#include "base/file_names.h"
#include "filelists/file_list_box.h"
#include "filelists/list_registration.h"
#include "platform/file_checks.h"
#include "ui/application.h"
#include "ui/ui_thread_call.h"

namespace {

// path made absolute against the current folder; as given when it cannot be.
std::wstring AbsolutePath(const std::wstring& path) {
  const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD length = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return path;
  full.resize(length);
  return full;
}

// The command line's checks, in the order the user reads about them; the mask read as the
// filter box reads it.
TFilter CheckedFilter(const TCommandLine& line) {
  // The lists show drives only; a share is reached through a drive letter.
  if (IsNetworkPath(line.Folder))
    throw EBadArguments(L"The folder " + line.Folder +
                        L" is a network path, which Velbrook cannot list: map the share to a drive letter and give "
                        L"the folder on that drive.");
  const DWORD folder = ::GetFileAttributesW(line.Folder.c_str());
  if (folder == INVALID_FILE_ATTRIBUTES || !(folder & FILE_ATTRIBUTE_DIRECTORY))
    throw EBadArguments(L"The folder " + line.Folder + L" does not exist.");
  if (!FileExistsFollowingLinks(line.Script)) throw EBadArguments(L"Can't Find Script File " + line.Script);
  const std::optional<TFilter> filter = ParseFilter(line.Mask);
  if (!filter) throw EBadArguments(L"Invalid filter: " + line.Mask);
  return *filter;
}

}  // namespace

TUnattendedRun::TUnattendedRun(TCommandLine line) : FLine(std::move(line)) {
  FLine.Folder = AbsolutePath(FLine.Folder);
  FLine.Script = AbsolutePath(FLine.Script);
  FFilter = CheckedFilter(FLine);
}

void TUnattendedRun::Begin(TMainForm& form) {
  // Norvalt is given the same time to come up as for a user; the run starts once the window
  // shows.
  Sleep(2000);
  PostToUIThread([this, &form] { start(form); });
}

void TUnattendedRun::start(TMainForm& form) {
  try {
    OpenStartFolder(form.DriveComboBox1, form.DirectoryListBox1, FLine.Folder);
    form.Filter().Use(FFilter);
  } catch (const Exception& e) {
    end(form, ecBadArguments, e.Message());
    return;
  }
  form.FileListBox1.SelectAll();
  if (form.FileListBox1.SelCount() == 0) {
    end(form, ecNothingMatched, L"No file in " + FLine.Folder + L" matches " + FLine.Mask + L".");
    return;
  }
  form.ScriptFileEdit.SetText(FLine.Script);
  // For this run only: the setting stays as it is stored.
  form.ShowContinueAfterErrors(FLine.ContinueAfterErrors);
  form.UseTimeLimit(FLine.TimeLimit);
  FStarted = form.StartRun();
  if (!FStarted) end(form, ExitCode(), L"");
}

void TUnattendedRun::end(TMainForm& form, int exitCode, const std::wstring& problem) {
  if (!problem.empty()) FUser.Tell(L"Velbrook", problem);
  FUser.ExitWith(exitCode);
  form.Close();
}

void TUnattendedRun::FailedToStart(const std::exception_ptr& error) {
  FUser.ReportError(error);
  if (FStarted) return;
  FUser.ExitWith(ecFailedToStart);
  Application().Terminate();
}
