// The Windows parts of a run that needs nobody: the time limit box as the user meets it, and
// the log of command-line runs on disk.
#include <gtest/gtest.h>

#include "app/command_runs.h"
#include "app/registration.h"
#include "app/time_limit_box.h"
#include "base/win_handles.h"
#include "dialogs/mymessage.h"
#include "platform/run_files.h"
#include "win_test_support.h"

namespace {

TForm* ActiveForm() { return dynamic_cast<TForm*>(TWinControl::FromHandle(::GetActiveWindow())); }

// Types text into the active time limit box and presses its button.
void TypeAndPress(const std::wstring& text, const wchar_t* button) {
  auto* box = dynamic_cast<TTimeLimitBox*>(ActiveForm());
  ASSERT_NE(box, nullptr) << "the time limit box is not the active window";
  box->Control<TEdit>(L"LimitEdit").SetText(text);
  ::PostMessageW(box->Control<TButton>(button).Handle(), BM_CLICK, 0, 0);
}

}  // namespace

TEST(TimeLimitBox, ShowsTheLimitTakesAValidOneAndRefusesGarbageWithTheProgramsMessage) {
  RegisterProgramComponents();
  std::wstring shown;
  RunOnUiThreadLater(100, [&] {
    auto* box = dynamic_cast<TTimeLimitBox*>(ActiveForm());
    ASSERT_NE(box, nullptr);
    shown = box->Control<TEdit>(L"LimitEdit").Text();
    TypeAndPress(L" 90 S", L"OkButton");
  });
  const std::optional<TTimeLimit> typed = AskTimeLimit(TTimeLimit::Parse(L"15").Limit.value());
  EXPECT_EQ(shown, L"15m");
  ASSERT_TRUE(typed);
  EXPECT_EQ(typed->Text(), L"90s");

  RunOnUiThreadLater(100, [&] { TypeAndPress(L"30m", L"CancelButton"); });
  EXPECT_FALSE(AskTimeLimit(TTimeLimit()));

  // A bad value: the message, then the box again, where 0 turns the limit off.
  std::wstring refusal;
  RunOnUiThreadLater(100, [&] { TypeAndPress(L"ten", L"OkButton"); });
  RunOnUiThreadLater(600, [&] {
    auto* message = dynamic_cast<TMy*>(ActiveForm());
    ASSERT_NE(message, nullptr) << "no message about the bad value";
    refusal = message->Control<TLabel>(L"BodyLabel").Caption();
    ::PostMessageW(message->Control<TButton>(L"Button3").Handle(), BM_CLICK, 0, 0);
  });
  RunOnUiThreadLater(1100, [&] { TypeAndPress(L"0", L"OkButton"); });
  const std::optional<TTimeLimit> none = AskTimeLimit(TTimeLimit::Parse(L"10s").Limit.value());
  EXPECT_NE(refusal.find(L"\"ten\" is no time limit."), std::wstring::npos);
  ASSERT_TRUE(none);
  EXPECT_TRUE(none->None());
}

TEST(CommandRunsLog, ARunAddsItsLineToTheLogInTheProgramsFolder) {
  const std::wstring log = LocalDataFolder() + L"command-runs.txt";
  const std::string before = ::GetFileAttributesW(log.c_str()) == INVALID_FILE_ATTRIBUTES ? "" : ReadFileBytes(log);
  TCommandRun run;
  run.Started = L"2026-12-10 02:00:00";
  run.CommandLine = L"/Process C:\\NC /Contineu";
  run.ExitCode = 2;
  run.Message = L"Unknown switch /Contineu.";
  ASSERT_TRUE(AppendCommandRun(run));
  ASSERT_TRUE(AppendCommandRun(run));
  const std::string after = ReadFileBytes(log);
  const std::string added = CommandRunLine(run) + CommandRunLine(run);
  ASSERT_GE(after.size(), added.size());
  EXPECT_EQ(after.substr(after.size() - added.size()), added);
  // The log is left as the test found it.
  if (before.empty()) {
    ::DeleteFileW(log.c_str());
    return;
  }
  const TFileHandle file(::CreateFileW(log.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  EXPECT_TRUE(::WriteFile(file.Get(), before.data(), static_cast<DWORD>(before.size()), &written, nullptr));
}
