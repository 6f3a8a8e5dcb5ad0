#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "dialogs/my_file_ops.h"

namespace {

// Answers the file-open dialog of the test's thread from a helper thread, as a user would:
// types a name and confirms, or cancels.
class TDialogAnswer {
 public:
  TDialogAnswer(std::wstring name, bool confirm)
      : FThreadId(::GetCurrentThreadId()),
        FHelper([this, name = std::move(name), confirm] { Answer(name, confirm); }) {}
  ~TDialogAnswer() { FHelper.join(); }
  TDialogAnswer(const TDialogAnswer&) = delete;
  TDialogAnswer& operator=(const TDialogAnswer&) = delete;

  bool Found() const { return FFound; }

 private:
  static BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    wchar_t className[16] = {};
    ::GetClassNameW(window, className, 16);
    if (std::wstring(className) != L"#32770" || !::IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }

  void Answer(const std::wstring& name, bool confirm) {
    HWND dialog = nullptr;
    // Generous: the dialog reads the folder before it shows.
    for (int i = 0; i < 300 && !dialog; ++i) {
      ::Sleep(100);
      ::EnumThreadWindows(FThreadId, FindDialog, reinterpret_cast<LPARAM>(&dialog));
    }
    if (!dialog) return;
    FFound = true;
    if (!confirm) {
      ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      return;
    }
    HWND nameBox = ::GetDlgItem(dialog, cmb13);
    if (!nameBox) nameBox = ::GetDlgItem(dialog, edt1);
    ::SendMessageW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
  }

  DWORD FThreadId;
  std::atomic<bool> FFound{false};
  std::thread FHelper;
};

class FileDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    FFolder = std::wstring(temp) + L"velbrook-pick-" + std::to_wstring(::GetCurrentProcessId());
    ASSERT_TRUE(::CreateDirectoryW(FFolder.c_str(), nullptr));
  }
  void TearDown() override { ::RemoveDirectoryW(FFolder.c_str()); }

  static std::wstring CurrentFolder() {
    wchar_t folder[MAX_PATH];
    ::GetCurrentDirectoryW(MAX_PATH, folder);
    return folder;
  }

  std::wstring FFolder;
};

}  // namespace

TEST_F(FileDialogTest, ConfirmedNameNeedNotExistAndStartsInTheGivenFolder) {
  const std::wstring before = CurrentFolder();
  std::wstring picked;
  {
    TDialogAnswer answer(L"job", true);
    picked = PickFile(L"Script", L".scr", FFolder);
    ASSERT_TRUE(answer.Found());
  }
  // Windows appends the default extension ("job.scr"); Wine 8 returns the name as typed.
  const std::wstring typed = FFolder + L"\\job";
  EXPECT_EQ(::CompareStringOrdinal(picked.substr(0, typed.size()).c_str(), -1, typed.c_str(), -1, TRUE), CSTR_EQUAL)
      << std::string(picked.begin(), picked.end());
  // The folder lists own the current folder; picking a file leaves it alone.
  EXPECT_EQ(CurrentFolder(), before);
}

TEST_F(FileDialogTest, WildcardExtensionAppendsNothingToAFullPath) {
  const std::wstring typed = FFolder + L"\\PART1.NC";
  std::wstring picked;
  {
    TDialogAnswer answer(typed, true);
    picked = PickFile(L"NC", L"", L"");
    ASSERT_TRUE(answer.Found());
  }
  EXPECT_EQ(::CompareStringOrdinal(picked.c_str(), -1, typed.c_str(), -1, TRUE), CSTR_EQUAL)
      << std::string(picked.begin(), picked.end());
}

TEST_F(FileDialogTest, CancelGivesEmptyText) {
  TDialogAnswer answer(L"", false);
  EXPECT_EQ(PickFile(L"NC", L"", FFolder), L"");
  EXPECT_TRUE(answer.Found());
}
