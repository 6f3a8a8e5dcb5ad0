#include "app/batch_run.h"

#include <algorithm>

#include "automation/ole_error_text.h"
#include "base/errors.h"
#include "filelists/paths.h"
#include "ui/error_text.h"

std::optional<TRunPlan> PlanRun(IBatchWindow& window) {
  if (window.ScriptPath().empty()) {
    window.ShowMessage(L"Error:", L"Enter Script File");
    return std::nullopt;
  }
  const int selected = window.SelCount();
  if (selected == 0) {
    window.ShowMessage(L"Error:", L"Need to Select NC Files From List to Modify");
    return std::nullopt;
  }
  TRunPlan plan;
  plan.Script = window.ScriptPath();
  if (!window.ScriptFileExists(plan.Script)) {
    window.ShowMessage(L"Error:", L"Can't Find Script File\r\n" + plan.Script);
    return std::nullopt;
  }
  window.SetProgressMax(selected);
  plan.Folder = window.Folder();
  plan.Mask = window.Mask();
  const int entries = window.EntryCount();
  plan.Files.reserve(static_cast<std::size_t>(selected));
  for (int i = 0; i < entries; ++i) {
    if (!window.EntrySelected(i)) continue;
    plan.Files.push_back(JoinPath(plan.Folder, window.EntryText(i)));
    plan.Entries.push_back(i);
  }
  return plan;
}

bool IsAbort(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const EAbort&) {
    return true;
  } catch (...) {
    return false;
  }
}

bool IsServerGone(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const EOleError& e) {
    return IsServerGoneStatus(static_cast<std::int32_t>(e.ErrorCode));
  } catch (...) {
    return false;
  }
}

namespace {

// What the steps raised, or null when they went through.
template <class Steps>
std::exception_ptr FailureOf(Steps steps) {
  try {
    steps();
    return nullptr;
  } catch (...) {
    return std::current_exception();
  }
}

}  // namespace

namespace {

// Hands Norvalt the script. A Norvalt that ended while Velbrook sat idle is noticed only
// here, at its first call: it is replaced once, without a word to the user.
void HandOverScript(const TRunPlan& plan, INcProcessor& norvalt) {
  const std::exception_ptr error = FailureOf([&] { norvalt.LoadScript(plan.Script); });
  if (!error) return;
  if (!IsServerGone(error)) std::rethrow_exception(error);
  norvalt.Reconnect();
  norvalt.LoadScript(plan.Script);
}

}  // namespace

TWalkResult TreatFiles(const TRunPlan& plan, INcProcessor& norvalt, IRunProgress& progress) {
  HandOverScript(plan, norvalt);
  TWalkResult result;
  for (int index = 0; index < static_cast<int>(plan.Files.size()); ++index) {
    if (progress.StopRequested()) break;
    const std::wstring& path = plan.Files[static_cast<std::size_t>(index)];
    progress.FileStarting(index);
    ++result.Reached;
    std::exception_ptr error = FailureOf([&] {
      norvalt.OpenNcFile(path);
      norvalt.ScriptStep1();
      norvalt.ScriptStep2();
    });
    if (!error) {
      progress.FileSaving(index);
      error = FailureOf([&] { norvalt.SaveNcFileAs(path); });
    }
    if (!error) {
      progress.FileEnded(index, nullptr);
      ++result.Treated;
      continue;
    }
    const std::wstring text = ExceptionText(error);
    progress.FileEnded(index, &text);
    // A silent abort ends the run whatever the mode.
    if (!plan.ContinueAfterErrors || IsAbort(error)) std::rethrow_exception(error);
    result.Failed.push_back({index, text});
    if (IsServerGone(error)) {
      norvalt.Reconnect();
      norvalt.LoadScript(plan.Script);
    }
  }
  return result;
}

void TRunDisplay::FileStarting(int index) {
  FWindow.SetProgressPosition(index + 1);
  FWindow.TaskbarButton().ShowProgress(index + 1, FCount);
}

void TRunDisplay::call_user_back(int position) {
  FWindow.TaskbarButton().ShowProgress(position, FCount);
  FWindow.TaskbarButton().FlashUnlessInFront();
}

void TRunDisplay::Completed() {
  call_user_back(0);
  FWindow.SetProgressPosition(0);
}

void TRunDisplay::Stopped(int treated) {
  StoppedSilently();
  FWindow.ShowMessage(L"Velbrook", StoppedText(treated, FCount));
}

void TRunDisplay::StoppedSilently() {
  call_user_back(0);
  FWindow.SetProgressPosition(0);
}

void TRunDisplay::Failed(bool silentAbort) {
  if (silentAbort) {
    call_user_back(0);
    return;
  }
  FWindow.TaskbarButton().ShowFailure();
  FWindow.TaskbarButton().FlashUnlessInFront();
}

void TRunDisplay::NotLinked() {
  FWindow.ShowMessage(L"Velbrook", L"Not Linked to Norvalt");
  FWindow.SetProgressPosition(0);
}

std::wstring StoppedText(int treated, int count) {
  return L"Stopped after " + std::to_wstring(treated) + L" of " + std::to_wstring(count) + L" files.";
}

std::wstring WaitingText(unsigned seconds, std::optional<long long> limitEndsInSeconds) {
  std::wstring text = L"Waiting for Norvalt: no answer for " + std::to_wstring(seconds) + L" s. Stop ends the run now.";
  if (limitEndsInSeconds)
    text += L" The time limit ends it in " + std::to_wstring(std::max(*limitEndsInSeconds, 0LL)) + L" s.";
  return text;
}

std::wstring CutOffText(const TTimeLimit& limit) {
  return L"Norvalt did not answer in " + limit.Text() + L"; Velbrook ended it";
}

std::wstring LeftRunningText(const std::wstring& path, const TTimeLimit& limit) {
  return L"Norvalt did not answer in " + limit.Text() + L"; the run was stopped at " + path +
         L". Velbrook did not start this Norvalt, so it was left running: close it, or answer it, by hand.";
}

std::wstring UnansweredText(const std::wstring& path) {
  return L"Norvalt did not answer; the run was stopped at " + path + L".";
}
