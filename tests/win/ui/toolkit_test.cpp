#include <gtest/gtest.h>

#include "base/errors.h"
#include "ui/application.h"
#include "ui/buttons.h"
#include "ui/dispatcher.h"
#include "ui/form.h"
#include "ui/std_controls.h"
#include "ui/style.h"
#include "win_test_support.h"

TEST(ErrorBox, ShowsTheTextWithAPointAndTheProgramTitle) {
  TDialogAnswerer answerer;
  EXPECT_FALSE(RunGuarded([] { throw EInOutError(L"File not found", 2); }));
  const auto seen = answerer.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Text, L"File not found.");
  EXPECT_EQ(seen[0].Caption, Application().Title());
  EXPECT_EQ(Application().Title(), L"win_ui_tests");  // the first character keeps its case
}

TEST(ErrorBox, SilentAbortShowsNothingAndOtherErrorsStillReachTheBox) {
  TDialogAnswerer answerer;
  EXPECT_FALSE(RunGuarded([] { throw EAbort(); }));
  EXPECT_TRUE(RunGuarded([] {}));
  EXPECT_TRUE(answerer.Seen().empty());
  EXPECT_FALSE(RunGuarded([] { throw std::runtime_error("disk on fire"); }));
  ASSERT_EQ(answerer.Seen().size(), 1u);
  EXPECT_EQ(answerer.Seen()[0].Text, L"disk on fire.");
}

TEST(Style, GlossyIsFoundAndAnUnknownStyleIsReportedByName) {
  try {
    ApplyStyle(L"Matte");
    FAIL() << "an unknown style was accepted";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"Style 'Matte' not found");
  }
  EXPECT_FALSE(ActiveStyle().Styled());
  ApplyStyle(L"Glossy");
  EXPECT_TRUE(ActiveStyle().Styled());
  EXPECT_EQ(ColorToRGB(clBtnFace), RGB(0xE9, 0xEE, 0xF6));

  // In high contrast the style gives way to the system's colours, also when the setting
  // changes while the program runs.
  static bool highContrast = false;
  SetHighContrastReader([] { return highContrast; });
  TForm form(nullptr);
  highContrast = true;
  SendMessageW(form.Handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  EXPECT_FALSE(ActiveStyle().Styled());
  EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ColorToRGB(clWindowText), GetSysColor(COLOR_WINDOWTEXT));
  highContrast = false;
  SendMessageW(form.Handle(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  EXPECT_TRUE(ActiveStyle().Styled());
  EXPECT_EQ(ColorToRGB(clBtnFace), RGB(0xE9, 0xEE, 0xF6));
  SetHighContrastReader(nullptr);
}

namespace {

// Stand-ins for the file lists, which this test program leaves out: plain controls that
// take the link properties.
template <typename TBase>
class TLinkedStandIn : public TBase {
 public:
  using TBase::TBase;
  bool SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader) override {
    if (name == L"DirList" || name == L"FileList") return &reader.Component(value) != nullptr;
    return TBase::SetProperty(name, value, reader);
  }
};

}  // namespace

TEST(Layout, MainWindowControlsSitInTheirPlacesInTabOrder) {
  RegisterStandardControls();
  RegisterComponentClass<TLinkedStandIn<TComboBox>>(L"TDriveComboBox");
  RegisterComponentClass<TLinkedStandIn<TListBox>>(L"TDirectoryListBox");
  RegisterComponentClass<TLinkedStandIn<TListBox>>(L"TFileListBox");
  TForm form(nullptr);
  for (const wchar_t* handler : {L"GetScriptButtonClick", L"SelectAllButtonClick", L"SelectNoneButtonClick",
                                 L"ProcessButtonClick", L"CloseButtonClick", L"FormClose"})
    form.RegisterHandler(handler, [](TComponent*) {});
  form.LoadLayout(L"TMAINFORM");
  HWND window = form.Handle();

  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 493);
  EXPECT_EQ(client.bottom, 494);
  EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);

  auto& list = form.Control<TListBox>(L"FileListBox1");
  RECT r{};
  GetWindowRect(list.Handle(), &r);
  MapWindowPoints(nullptr, form.Control<TGroupBox>(L"GroupBox2").Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 252);
  EXPECT_EQ(r.top, 51);
  EXPECT_EQ(r.right - r.left, 201);
  EXPECT_TRUE(list.MultiSelect());

  // Tab order inside GroupBox2: FileListBox1, DriveComboBox1, DirectoryListBox1, ComboBox1, ...
  HWND group = form.Control<TGroupBox>(L"GroupBox2").Handle();
  std::vector<std::wstring> order;
  for (HWND child = GetWindow(group, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    order.push_back(TWinControl::FromHandle(child)->Name);
  EXPECT_EQ(order, (std::vector<std::wstring>{L"FileListBox1", L"DriveComboBox1", L"DirectoryListBox1", L"ComboBox1",
                                              L"SelectAllButton", L"SelectNoneButton"}));
  const TLabel& heading = form.Control<TLabel>(L"Label1");
  EXPECT_EQ(heading.Font().Height, 20);
  EXPECT_EQ(heading.Left() + heading.Width(), 458) << "the heading keeps its stored bounds, whatever the font";
  EXPECT_EQ(heading.Height(), 28);
  EXPECT_TRUE(heading.Font().Bold);
  EXPECT_EQ(form.Control<TEdit>(L"ScriptFileEdit").Font().Name, L"Segoe UI");

  // The first tab stop has the focus when the window appears; whatever had it when another
  // window took over has it again when the form is back.
  form.Show();
  const HWND first = GetNextDlgTabItem(window, nullptr, FALSE);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetFocus(), first);
  const HWND filter = form.Control<TComboBox>(L"ComboBox1").Handle();
  SetFocus(filter);
  TForm other(nullptr);
  other.Show();
  EXPECT_NE(GetFocus(), filter);
  SetActiveWindow(window);
  EXPECT_TRUE(GetFocus() == filter || IsChild(filter, GetFocus()));
}

TEST(Layout, UnknownPropertiesAndHandlersAreReportedWithTheirNames) {
  RegisterStandardControls();
  TForm form(nullptr);
  try {
    form.LoadLayout(L"TMAINFORM");  // no handlers registered
    FAIL() << "a layout with unbound handlers loaded";
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find(L"Handler "), std::wstring::npos) << std::string(e.Message().begin(), e.Message().end());
  }
  TForm other(nullptr);
  EXPECT_THROW(other.LoadLayout(L"NO_SUCH_LAYOUT"), Exception);
}

TEST(Dpi, ControlsFollowTheMonitorScale) {
  RegisterStandardControls();
  TForm form(nullptr);
  form.SetClientSize(200, 100);
  TButton& button = form.Adopt(std::make_unique<TButton>(&form));
  button.SetParent(&form);
  button.SetBounds(10, 20, 75, 25);
  HWND window = form.Handle();
  RECT suggested{0, 0, 400, 300};
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  RECT r{};
  GetWindowRect(button.Handle(), &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 15);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(r.right - r.left, 113);  // 75 * 1.5 rounded
  EXPECT_EQ(r.bottom - r.top, 38);
  EXPECT_EQ(form.FormDpi(), 144u);
}

TEST(Forms, TheMainFormIsTheOneTheProgramMakesAsSuch) {
  const TForm first(nullptr);
  EXPECT_EQ(TForm::MainForm(), nullptr);  // not on account of being made first
  {
    const auto main = Application().CreateMainForm<TForm>(nullptr);
    TForm later(nullptr);
    EXPECT_EQ(TForm::MainForm(), main.get());
    // The main form has the taskbar button and owns the forms that come after it.
    EXPECT_NE(GetWindowLongPtrW(main->Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    EXPECT_EQ(GetWindowLongPtrW(later.Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    EXPECT_EQ(GetWindow(later.Handle(), GW_OWNER), main->Handle());
  }
  EXPECT_EQ(TForm::MainForm(), nullptr);
}

TEST(Labels, AutoSizeFitsTheTextAndEmptyTextKeepsOneSpace) {
  RegisterStandardControls();
  TForm form(nullptr);
  TLabel& label = form.Adopt(std::make_unique<TLabel>(&form));
  label.SetParent(&form);
  label.SetCaption(L"W");
  const int narrow = label.Width();
  label.SetCaption(L"WWWWWWWWWW");
  EXPECT_GT(label.Width(), narrow * 5);
  label.SetCaption(L"");
  EXPECT_GT(label.Width(), 0);
  EXPECT_GT(label.Height(), 0);
  label.SetCaption(L"line\r\nline");
  const int twoLines = label.Height();
  label.SetCaption(L"line");
  EXPECT_GT(twoLines, label.Height() * 3 / 2);
  // Its text can be read like any window's.
  wchar_t text[16] = {};
  GetWindowTextW(label.Handle(), text, 16);
  EXPECT_STREQ(text, L"line");
}
