#include <gtest/gtest.h>

#include "dialogs/message_setup.h"
#include "dialogs/mymessage.h"
#include "ui/application.h"
#include "win_test_support.h"

namespace {

struct TShownDialog {
  std::wstring Caption, Title, Body;
  std::vector<std::wstring> ReadAloud;       // what assistive technology reads: title, body, buttons
  std::vector<std::wstring> VisibleButtons;  // "Button1=Yes", ...
  std::vector<std::wstring> VisiblePictures;
  bool CenteredOverOwner = false;
};

// Shows a message with MyMess; while it runs, records what it shows and then presses the
// button whose caption is answer (empty: close from the title bar).
int ShowAndAnswer(const std::wstring& title, const std::wstring& body, int type, const std::wstring& answer,
                  TShownDialog& shown) {
  RegisterStandardControls();
  RunOnUiThreadLater(100, [&] {
    HWND active = GetActiveWindow();
    auto* form = dynamic_cast<TMy*>(TWinControl::FromHandle(active));
    ASSERT_NE(form, nullptr);
    shown.Caption = form->Caption();
    shown.Title = form->Control<TLabel>(L"TitleLabel").Caption();
    shown.Body = form->Control<TLabel>(L"BodyLabel").Caption();
    for (const wchar_t* name : {L"TitleLabel", L"BodyLabel"})
      shown.ReadAloud.push_back(ReadAccessible(form->Control<TLabel>(name).Handle()).Name);
    for (const wchar_t* name : {L"Button1", L"Button2", L"Button3"}) {
      auto& button = form->Control<TButton>(name);
      if (!IsWindowVisible(button.Handle())) continue;
      shown.VisibleButtons.push_back(std::wstring(name) + L"=" + button.Caption());
      shown.ReadAloud.push_back(ReadAccessible(button.Handle()).Name);
    }
    for (const wchar_t* name : {L"ImageWarning", L"ImageStop", L"ImageQuestion"}) {
      auto& image = form->Control<TImage>(name);
      if (image.Visible()) {
        shown.VisiblePictures.push_back(name);
        EXPECT_EQ(image.Left(), 18);
        EXPECT_EQ(image.Top(), 18);
      }
    }
    if (answer.empty()) {
      PostMessageW(active, WM_CLOSE, 0, 0);
      return;
    }
    for (const wchar_t* name : {L"Button1", L"Button2", L"Button3"}) {
      auto& button = form->Control<TButton>(name);
      if (IsWindowVisible(button.Handle()) && button.Caption() == answer) PostMessageW(button.Handle(), BM_CLICK, 0, 0);
    }
  });
  return MyMess(title, body, type);
}

}  // namespace

TEST(MessageDialog, TypeZeroAndUnknownTypesShowOneOkAtTheRightWithTheWarning) {
  for (int type : {0, 7, -1}) {
    TShownDialog shown;
    EXPECT_EQ(ShowAndAnswer(L"Error:", L"Enter Script File", type, L"OK", shown), 1) << type;
    EXPECT_EQ(shown.Caption, L"");
    EXPECT_EQ(shown.Title, L"Error:");
    EXPECT_EQ(shown.Body, L"Enter Script File");
    EXPECT_EQ(shown.VisibleButtons, std::vector<std::wstring>{L"Button3=OK"});
    EXPECT_EQ(shown.VisiblePictures, std::vector<std::wstring>{L"ImageWarning"});
    EXPECT_EQ(shown.ReadAloud, (std::vector<std::wstring>{L"Error:", L"Enter Script File", L"OK"}));
  }
}

TEST(MessageDialog, EachTypeShowsItsButtonsAndPictureAndReturnsTheChosenResult) {
  TShownDialog shown;
  EXPECT_EQ(ShowAndAnswer(L"Save?", L"", 2, L"No", shown), 7);
  EXPECT_EQ(shown.VisibleButtons, (std::vector<std::wstring>{L"Button1=Yes", L"Button2=No", L"Button3=Cancel"}));
  EXPECT_EQ(shown.VisiblePictures, std::vector<std::wstring>{L"ImageQuestion"});

  shown = {};
  EXPECT_EQ(ShowAndAnswer(L"Q", L"", 1, L"Yes", shown), 6);
  EXPECT_EQ(shown.VisibleButtons, (std::vector<std::wstring>{L"Button2=Yes", L"Button3=No"}));

  shown = {};
  EXPECT_EQ(ShowAndAnswer(L"Stop", L"", 3, L"Cancel", shown), 2);
  EXPECT_EQ(shown.VisibleButtons, (std::vector<std::wstring>{L"Button2=Yes", L"Button3=Cancel"}));
  EXPECT_EQ(shown.VisiblePictures, std::vector<std::wstring>{L"ImageStop"});

  shown = {};
  EXPECT_EQ(ShowAndAnswer(L"Stop", L"", 4, L"OK", shown), 1);
  EXPECT_EQ(shown.VisibleButtons, (std::vector<std::wstring>{L"Button2=OK", L"Button3=Cancel"}));
}

TEST(MessageDialog, ClosingFromTheTitleBarGivesCancel) {
  TShownDialog shown;
  EXPECT_EQ(ShowAndAnswer(L"Error:", L"x", 2, L"", shown), 2);
  EXPECT_EQ(shown.VisibleButtons.size(), 3u);
}

TEST(MessageDialog, PathsInTheBodyWrapAtTheirSeparators) {
  TShownDialog shown;
  ShowAndAnswer(L"Error:", L"Can't Find Script File\r\nC:\\S\\X.SCR", 0, L"OK", shown);
  EXPECT_EQ(shown.Body, L"Can't Find Script File\r\nC: \\S \\X.SCR");
  EXPECT_EQ(SpaceBeforeBackslashes(L"no separators"), L"no separators");
  EXPECT_EQ(SpaceBeforeBackslashes(L"\\\\server\\share"), L" \\ \\server \\share");
}
