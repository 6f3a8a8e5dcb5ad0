#include "velbrook_driver.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// The program's own windows are of this class; the standard error box is not.
constexpr wchar_t kProgramWindowClass[] = L"VelbrookContainer";

struct TTopLevelSearch {
  DWORD Process;
  HWND Except;
  const wchar_t* Title;
  HWND Found = nullptr;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<TTopLevelSearch*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search.Process || window == search.Except || !IsWindowVisible(window)) return TRUE;
  if (search.Title) {
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    if (std::wstring(title) != search.Title || ClassOf(window) != kProgramWindowClass) return TRUE;
  }
  search.Found = window;
  return FALSE;
}

struct TChildSearch {
  const wchar_t* ClassName;
  const wchar_t* Text;
  HWND Found = nullptr;
};

BOOL CALLBACK FindChild(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<TChildSearch*>(param);
  if (!IsWindowVisible(window) || ClassOf(window) != search.ClassName) return TRUE;
  if (search.Text) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    if (std::wstring(text) != search.Text) return TRUE;
  }
  search.Found = window;
  return FALSE;
}

HWND FindChildOf(HWND parent, const wchar_t* className, const wchar_t* text) {
  TChildSearch search{className, text};
  EnumChildWindows(parent, FindChild, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

}  // namespace

TVelbrookDriver::~TVelbrookDriver() { Kill(); }

bool TVelbrookDriver::Launch(const std::wstring& exe, const std::wstring& arguments, const std::wstring& folder) {
  STARTUPINFOW startup{sizeof(startup)};
  PROCESS_INFORMATION info{};
  std::wstring commandLine = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &info))
    return false;
  FProcess.Reset(info.hProcess);
  FOwnsProcess = true;
  TKernelHandle thread(info.hThread);
  FProcessId = info.dwProcessId;
  return true;
}

bool TVelbrookDriver::Start(const std::wstring& exe, unsigned timeoutMs) {
  return Launch(exe) && WaitForMainWindow(timeoutMs);
}

bool TVelbrookDriver::FindMainWindow(const wchar_t* title) {
  TTopLevelSearch search{FProcessId, nullptr, title};
  EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
  FMain = search.Found;
  return FMain != nullptr;
}

bool TVelbrookDriver::WaitForMainWindow(unsigned timeoutMs) {
  return WaitFor([&] { return FindMainWindow(L"Velbrook") || WaitForSingleObject(FProcess.Get(), 0) == WAIT_OBJECT_0; },
                 timeoutMs) &&
         FMain != nullptr;
}

bool TVelbrookDriver::Attach(unsigned timeoutMs) {
  const bool found = WaitFor(
      [&] {
        HWND window = FindWindowW(kProgramWindowClass, L"Velbrook");
        if (!window || !IsWindowVisible(window)) return false;
        FMain = window;
        GetWindowThreadProcessId(window, &FProcessId);
        return true;
      },
      timeoutMs);
  if (found) FProcess.Reset(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, FProcessId));
  return found;
}

HWND TVelbrookDriver::FindControl(const wchar_t* className, const wchar_t* text) const {
  return FindChildOf(FMain, className, text);
}

std::wstring TVelbrookDriver::TextOf(HWND window) const {
  std::wstring text(static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

void TVelbrookDriver::SetScriptPath(const std::wstring& path) {
  SendMessageW(FindControl(L"Edit"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
}

std::wstring TVelbrookDriver::ScriptPath() const { return TextOf(FindControl(L"Edit")); }

namespace {
// The file list is the one list box with extended selection; the folder list has single selection.
HWND FindList(HWND main, bool extended) {
  struct TSearch {
    bool Extended;
    HWND Found = nullptr;
  } search{extended};
  EnumChildWindows(
      main,
      [](HWND w, LPARAM p) -> BOOL {
        auto& s = *reinterpret_cast<TSearch*>(p);
        if (ClassOf(w) != L"ListBox" || !IsWindowVisible(w)) return TRUE;
        if (((GetWindowLongPtrW(w, GWL_STYLE) & LBS_EXTENDEDSEL) != 0) != s.Extended) return TRUE;
        s.Found = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.Found;
}
}  // namespace

HWND TVelbrookDriver::FileList() const { return FindList(FMain, true); }

int TVelbrookDriver::FileCount() const {
  return static_cast<int>(SendMessageW(FindList(FMain, true), LB_GETCOUNT, 0, 0));
}

int TVelbrookDriver::FolderCount() const {
  return static_cast<int>(SendMessageW(FindList(FMain, false), LB_GETCOUNT, 0, 0));
}

std::wstring TVelbrookDriver::DriveText() const {
  HWND box = FindControl(L"ComboBox");
  const auto selected = SendMessageW(box, CB_GETCURSEL, 0, 0);
  if (selected < 0) return {};
  std::wstring text(static_cast<std::size_t>(SendMessageW(box, CB_GETLBTEXTLEN, selected, 0)) + 1, L'\0');
  SendMessageW(box, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text.data()));
  text.resize(text.size() - 1);
  return text;
}

namespace {

// The filter box is the main window's one editable combo box; the drive box only offers a list.
HWND FindFilterBox(HWND main) {
  HWND found = nullptr;
  EnumChildWindows(
      main,
      [](HWND w, LPARAM p) -> BOOL {
        if (ClassOf(w) != L"ComboBox" || (GetWindowLongPtrW(w, GWL_STYLE) & 3) != CBS_DROPDOWN) return TRUE;
        *reinterpret_cast<HWND*>(p) = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND FilterEdit(HWND main) { return FindWindowExW(FindFilterBox(main), nullptr, L"Edit", nullptr); }

void PostKey(HWND window, WPARAM key) {
  PostMessageW(window, WM_KEYDOWN, key, 1);
  PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

}  // namespace

void TVelbrookDriver::TypeFilter(const std::wstring& text, WPARAM key) {
  HWND edit = FilterEdit(FMain);
  PostMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  PostKey(edit, key);
}

std::wstring TVelbrookDriver::FilterText() const { return TextOf(FindFilterBox(FMain)); }

std::vector<std::wstring> TVelbrookDriver::FilterChoices() const {
  HWND box = FindFilterBox(FMain);
  std::vector<std::wstring> choices;
  const auto count = SendMessageW(box, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(box, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
    SendMessageW(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(text.size() - 1);
    choices.push_back(text);
  }
  return choices;
}

void TVelbrookDriver::ChooseFilter(int index) {
  HWND box = FindFilterBox(FMain);
  SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
  SendMessageW(box, CB_SETCURSEL, index, 0);
  PostKey(FilterEdit(FMain), VK_RETURN);
}

std::vector<int> TVelbrookDriver::SelectedFiles() const {
  HWND list = FindList(FMain, true);
  std::vector<int> selected;
  const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i)
    if (SendMessageW(list, LB_GETSEL, i, 0) > 0) selected.push_back(static_cast<int>(i));
  return selected;
}

void TVelbrookDriver::SelectFiles(const std::vector<int>& indexes) {
  HWND list = FindList(FMain, true);
  const auto rowHeight = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
  const auto top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
  for (std::size_t i = 0; i < indexes.size(); ++i) {
    const LPARAM point = MAKELPARAM(4, (indexes[i] - top) * rowHeight + rowHeight / 2);
    const WPARAM keys = MK_LBUTTON | (i == 0 ? 0 : MK_CONTROL);
    PostMessageW(list, WM_LBUTTONDOWN, keys, point);
    PostMessageW(list, WM_LBUTTONUP, keys & ~static_cast<WPARAM>(MK_LBUTTON), point);
  }
  // The clicks are posted: wait until the program has handled them.
  std::vector<int> expected = indexes;
  std::sort(expected.begin(), expected.end());
  WaitFor([&] { return SelectedFiles() == expected; }, 10000);
}

void TVelbrookDriver::Press(const wchar_t* caption, HWND inWindow) {
  HWND button = FindChildOf(inWindow ? inWindow : FMain, L"Button", caption);
  PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

namespace {
// Runs xdotool with the arguments. Wine starts a Unix program but gives no handle to wait on,
// so the caller waits for the input's effect.
void RunXdotool(const std::wstring& arguments) {
  STARTUPINFOW startup{sizeof(startup)};
  PROCESS_INFORMATION info{};
  std::wstring commandLine = L"xdotool " + arguments;
  if (CreateProcessW(L"Z:\\usr\\bin\\xdotool", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &info)) {
    TKernelHandle process(info.hProcess), thread(info.hThread);
  }
}
}  // namespace

void TVelbrookDriver::ClickWithMouse(HWND window) const {
  RECT r{};
  GetWindowRect(window, &r);
  const POINT target{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  RunXdotool(L"mousemove " + std::to_wstring(target.x) + L" " + std::to_wstring(target.y) + L" click 1");
  WaitFor(
      [&] {
        POINT at{};
        return GetCursorPos(&at) && at.x == target.x && at.y == target.y;
      },
      5000);
  Sleep(300);  // the click follows the move
}

void TVelbrookDriver::PressKey(const char* keyName) const {
  RunXdotool(L"key " + std::wstring(keyName, keyName + strlen(keyName)));
  Sleep(300);
}

std::vector<std::wstring> TVelbrookDriver::Texts() const {
  TProgramDialog window;
  CollectTexts(FMain, window);
  window.Texts.insert(window.Texts.end(), window.Buttons.begin(), window.Buttons.end());
  return window.Texts;
}

int TVelbrookDriver::ProgressPosition() const {
  return static_cast<int>(SendMessageW(FindControl(PROGRESS_CLASSW), PBM_GETPOS, 0, 0));
}

int TVelbrookDriver::ProgressMax() const {
  return static_cast<int>(SendMessageW(FindControl(PROGRESS_CLASSW), PBM_GETRANGE, FALSE, 0));
}

void TVelbrookDriver::SystemCommand(UINT command) { PostMessageW(FMain, WM_SYSCOMMAND, command, 0); }

void TVelbrookDriver::ChooseSystemMenuEntryFromEnd(int place) {
  PostMessageW(FMain, WM_SYSCOMMAND, SC_KEYMENU, L' ');
  Sleep(500);  // the menu opens and runs its own loop, which reads the keys below
  std::vector<WPARAM> keys(static_cast<std::size_t>(place), VK_UP);
  keys.push_back(VK_RETURN);
  for (const WPARAM key : keys) {
    PostMessageW(FMain, WM_KEYDOWN, key, 1);
    PostMessageW(FMain, WM_KEYUP, key, 0xC0000001);
    Sleep(100);
  }
}

std::optional<TProgramDialog> TVelbrookDriver::WaitForDialog(unsigned timeoutMs) {
  HWND found = nullptr;
  WaitFor(
      [&] {
        TTopLevelSearch search{FProcessId, FMain, nullptr};
        EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
        found = search.Found;
        return found != nullptr;
      },
      timeoutMs);
  if (!found) return std::nullopt;
  Sleep(200);  // let the dialog finish laying itself out
  TProgramDialog dialog;
  dialog.Window = found;
  dialog.ErrorBox = ClassOf(found) == L"#32770";
  dialog.Caption = TextOf(found);
  CollectTexts(found, dialog);
  return dialog;
}

// Texts and buttons of the visible windows below parent, each followed by what it holds
// (the About box keeps its labels in panels).
void TVelbrookDriver::CollectTexts(HWND parent, TProgramDialog& dialog) const {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    const std::wstring text = TextOf(child);
    if (ClassOf(child) == L"Button")
      dialog.Buttons.push_back(text);
    else if (!text.empty())
      dialog.Texts.push_back(text);
    CollectTexts(child, dialog);
  }
}

void TVelbrookDriver::Answer(const TProgramDialog& dialog, const wchar_t* buttonCaption) {
  if (dialog.ErrorBox) {
    PostMessageW(dialog.Window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return;
  }
  Press(buttonCaption, dialog.Window);
}

std::optional<DWORD> TVelbrookDriver::WaitForExit(unsigned timeoutMs) {
  if (WaitForSingleObject(FProcess.Get(), timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(FProcess.Get(), &code);
  return code;
}

void TVelbrookDriver::Kill() {
  if (FProcess && FOwnsProcess && WaitForSingleObject(FProcess.Get(), 0) != WAIT_OBJECT_0) {
    TerminateProcess(FProcess.Get(), 1);
    WaitForSingleObject(FProcess.Get(), 5000);
  }
}
