#include <gtest/gtest.h>
#include <wrl/client.h>

#include <memory>

#include "base/errors.h"
#include "base/win_handles.h"
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

namespace {

// A windowless control whose painting fails while Failing holds.
class TFailingPaint : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  void Paint(HDC) override {
    ++Paints;
    if (Failing) throw Exception(L"Cannot paint");
  }
  bool Failing = false;
  int Paints = 0;
};

}  // namespace

TEST(ErrorBox, APaintThatFailsEndsValidatedAndIsReportedOnceAfterwards) {
  TDialogAnswerer answerer;
  TForm form(nullptr);
  form.SetClientSize(200, 100);
  auto& control = form.Adopt(std::make_unique<TFailingPaint>(&form));
  control.SetParent(&form);
  control.SetBounds(10, 10, 100, 50);
  form.Show();
  const HWND window = form.Handle();
  UpdateWindow(window);
  control.Failing = true;
  const int paints = control.Paints;
  for (int i = 0; i < 3; ++i) {
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
  }
  EXPECT_EQ(control.Paints, paints + 3);
  EXPECT_TRUE(answerer.Seen().empty()) << "a box opened inside the paint";
  RECT update{};
  EXPECT_FALSE(GetUpdateRect(window, &update, FALSE)) << "the failed paint left its region to paint again";

  control.Failing = false;
  EXPECT_TRUE(PumpUntil([&] { return !answerer.Seen().empty(); }));
  PumpUntil([] { return false; }, 500);
  const auto seen = answerer.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Text, L"Cannot paint.");
  // After OK the window paints as before.
  const int painted = control.Paints;
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
  EXPECT_EQ(control.Paints, painted + 1);
  EXPECT_FALSE(GetUpdateRect(window, &update, FALSE));
  EXPECT_EQ(answerer.Seen().size(), 1u);
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

// The classes of the main window's layout; plain controls stand in for the file lists,
// which this test program leaves out.
void RegisterMainWindowClasses() {
  RegisterStandardControls();
  RegisterComponentClass<TComboBox>(L"TDriveComboBox");
  RegisterComponentClass<TListBox>(L"TDirectoryListBox");
  RegisterComponentClass<TListBox>(L"TFileListBox");
}

void LoadMainWindowLayout(TForm& form) {
  RegisterMainWindowClasses();
  for (const wchar_t* handler :
       {L"GetScriptButtonClick", L"SelectAllButtonClick", L"SelectNoneButtonClick", L"ProcessButtonClick",
        L"CloseButtonClick", L"FormClose", L"ComboBox1EnterKey", L"ComboBox1Select", L"ComboBox1Exit"})
    form.RegisterHandler(handler, [](TComponent*) {});
  form.LoadLayout(L"TMAINFORM");
}

}  // namespace

TEST(Layout, MainWindowControlsSitInTheirPlacesInTabOrder) {
  TForm form(nullptr);
  LoadMainWindowLayout(form);
  HWND window = form.Handle();

  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 493);
  EXPECT_EQ(client.bottom, 510);
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
  RegisterMainWindowClasses();
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

namespace {

// Every windowed control under parent, each with its window's rectangle in the parent's client area.
void CollectWindowRects(TWinControl& parent, std::vector<std::pair<TWinControl*, RECT>>& out) {
  for (TControl* child : parent.Controls()) {
    auto* control = dynamic_cast<TWinControl*>(child);
    if (!control || !control->HandleAllocated()) continue;
    RECT r{};
    GetWindowRect(control->HandleIfAllocated(), &r);
    MapWindowPoints(nullptr, parent.HandleIfAllocated(), reinterpret_cast<POINT*>(&r), 2);
    out.emplace_back(control, r);
    CollectWindowRects(*control, out);
  }
}

int CharHeight(const TFont& font, UINT dpi) {
  const TWindowDC screen(nullptr);
  const TSelectObject select(screen.Get(), font.Handle(dpi));
  TEXTMETRICW tm{};
  GetTextMetricsW(screen.Get(), &tm);
  return tm.tmHeight - tm.tmInternalLeading;
}

}  // namespace

TEST(Dpi, EveryControlAndFontFollowsTheMonitorScale) {
  TForm form(nullptr);
  LoadMainWindowLayout(form);
  HWND window = form.Handle();
  RECT suggested{0, 0, 800, 800};
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(form.Dpi(), 144u);

  std::vector<std::pair<TWinControl*, RECT>> rects;
  CollectWindowRects(form, rects);
  ASSERT_EQ(rects.size(), 15u);
  for (const auto& [control, r] : rects) {
    SCOPED_TRACE(std::string(control->Name.begin(), control->Name.end()));
    EXPECT_EQ(r.left, ScaleForDpi(control->Left(), 144));
    EXPECT_EQ(r.top, ScaleForDpi(control->Top(), 144));
    EXPECT_EQ(r.right - r.left, ScaleForDpi(control->Width(), 144));
    // A drop-down combo box's height is its edit's, which the font decides.
    if (!dynamic_cast<TComboBox*>(control)) {
      EXPECT_EQ(r.bottom - r.top, ScaleForDpi(control->Height(), 144));
    }
  }
  // 95 x 41 at (105, 452) stays so in 96-DPI pixels; on screen 142.5 rounds half away from zero.
  auto& button = form.Control<TWinControl>(L"ProcessButton");
  EXPECT_EQ(button.Width(), 95);
  RECT r{};
  GetWindowRect(button.Handle(), &r);
  EXPECT_EQ(r.right - r.left, 143);
  EXPECT_EQ(r.bottom - r.top, 62);

  // Fonts grow with the monitor, bitmap faces such as the About box's MS Sans Serif too.
  for (const wchar_t* face : {L"Segoe UI", L"MS Sans Serif"}) {
    TFont font;
    font.Name = face;
    font.Height = 16;
    EXPECT_NEAR(CharHeight(font, 144), 24, 1) << std::string(face, face + wcslen(face));
  }
}

TEST(Accessibility, EveryMainWindowControlReadsWithARoleAndAName) {
  TForm form(nullptr);
  LoadMainWindowLayout(form);
  form.Control<TProgressBar>(L"ProgressBar1").SetPosition(25);
  std::vector<std::pair<TWinControl*, RECT>> rects;
  CollectWindowRects(form, rects);
  for (const auto& [control, r] : rects) {
    SCOPED_TRACE(std::string(control->Name.begin(), control->Name.end()));
    const TAccessibleRead read = ReadAccessible(control->Handle());
    EXPECT_NE(read.Role, 0);
    EXPECT_NE(read.Role, ROLE_SYSTEM_CLIENT) << "a bare window says nothing of what it is";
    EXPECT_FALSE(read.Name.empty());
  }
  auto read = [&form](const wchar_t* name) { return ReadAccessible(form.Control<TWinControl>(name).Handle()); };
  EXPECT_EQ(read(L"ProcessButton").Role, ROLE_SYSTEM_PUSHBUTTON);
  EXPECT_EQ(read(L"ProcessButton").Name, L"Process");
  EXPECT_EQ(read(L"GetScriptButton").Role, ROLE_SYSTEM_PUSHBUTTON);
  EXPECT_EQ(read(L"GetScriptButton").Name, L"Choose a Norvalt Script");
  EXPECT_EQ(read(L"Label1").Role, ROLE_SYSTEM_STATICTEXT);
  EXPECT_EQ(read(L"Label1").Name, L"Process Files in Directory with Norvalt Script");
  EXPECT_EQ(read(L"ProgressBar1").Role, ROLE_SYSTEM_PROGRESSBAR);
  EXPECT_EQ(read(L"ProgressBar1").Value, L"25%");
  EXPECT_EQ(read(L"ScriptFileEdit").Role, ROLE_SYSTEM_TEXT);
  EXPECT_EQ(read(L"ScriptFileEdit").Name, L"Norvalt Script to Use");

  // An object a client still holds after the window has gone answers, but says it is cut off.
  TLabel& label = form.Adopt(std::make_unique<TLabel>(&form));
  label.SetParent(&form);
  label.SetCaption(L"&Save && go");
  Microsoft::WRL::ComPtr<IAccessible> held;
  ASSERT_EQ(AccessibleObjectFromWindow(label.Handle(), OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(held.GetAddressOf())),
            S_OK);
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  ASSERT_EQ(held->get_accName(self, &name), S_OK);
  EXPECT_STREQ(name, L"Save & go");
  SysFreeString(name);
  DestroyWindow(label.HandleIfAllocated());
  EXPECT_EQ(held->get_accName(self, &name), CO_E_OBJNOTCONNECTED);
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
