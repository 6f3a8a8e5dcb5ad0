#include <algorithm>

#include "e2e_fixture.h"

namespace {

// The filter box beside the file list, typed into, chosen from, and remembered.
class FilterBoxTest : public EndToEndTest {};

}  // namespace

TEST_F(FilterBoxTest, NarrowsTheListEachFileOnceAndIsRememberedForTheNextStart) {
  const std::wstring settings = ProgramFolder() + L"\\velbrook.ini";
  for (const wchar_t* name : {L"tool.tap", L"Spare.TAP", L"readme.txt"}) FFiles.Write(name, kBracket);
  ASSERT_TRUE(FDriver.Start(VelbrookExe(), kTimeoutMs));
  const std::wstring script = WriteScript("");
  FDriver.SetScriptPath(script);
  EXPECT_EQ(FDriver.FileCount(), 8);
  const auto listsSoon = [&](int count) { return WaitFor([&] { return FDriver.FileCount() == count; }, kTimeoutMs); };
  // The names of the files a run over the whole list opens.
  const auto treatedByARunOverAll = [&] {
    const int before = CountCalls(Trace(), L"SaveNcFileAs");
    const int count = FDriver.FileCount();
    FDriver.Press(L"Select All");
    FDriver.Press(L"Process");
    WaitFor([&] { return CountCalls(Trace(), L"SaveNcFileAs") == before + count; }, kTimeoutMs);
    std::vector<std::wstring> opened;
    for (const std::wstring& line : Trace())
      if (line.rfind(L"OpenNcFile\t", 0) == 0) opened.push_back(line.substr(line.rfind(L'\\') + 1));
    return std::vector<std::wstring>(opened.end() - std::min<std::ptrdiff_t>(count, std::ssize(opened)), opened.end());
  };

  FDriver.TypeFilter(L"*.tap");
  ASSERT_TRUE(listsSoon(2));
  EXPECT_EQ(treatedByARunOverAll(), (std::vector<std::wstring>{L"Spare.TAP", L"tool.tap"}));

  FDriver.TypeFilter(L"a|b");
  const auto message = FDriver.WaitForDialog(kTimeoutMs);
  ASSERT_TRUE(message);
  EXPECT_EQ(message->Texts, (std::vector<std::wstring>{L"Invalid filter", L"a|b"}));
  FDriver.Answer(*message, L"OK");
  ASSERT_TRUE(WaitFor([&] { return !FDriver.WaitForDialog(0); }, kTimeoutMs));
  EXPECT_EQ(FDriver.FileCount(), 2) << "the list stays as it was";

  FDriver.TypeFilter(L"*.nc;*.NC");
  EXPECT_TRUE(listsSoon(5));
  FDriver.TypeFilter(L"");
  EXPECT_TRUE(listsSoon(8));
  FDriver.TypeFilter(L"*.nc ");
  EXPECT_TRUE(listsSoon(5));
  FDriver.TypeFilter(L" *.nc ; *.tap", VK_TAB);  // leaving the box applies it too
  ASSERT_TRUE(listsSoon(7));
  EXPECT_EQ(FDriver.FilterText(), L"*.nc;*.tap");
  EXPECT_EQ(treatedByARunOverAll(),
            (std::vector<std::wstring>{L"A.NC", L"B.NC", L"C.NC", L"D.NC", L"E.NC", L"Spare.TAP", L"tool.tap"}));
  const std::vector<std::wstring> used{L"*.nc;*.tap", L"*.nc", L"*.nc;*.NC", L"*.tap"};
  EXPECT_EQ(FDriver.FilterChoices(), used);
  FDriver.ChooseFilter(3);
  EXPECT_TRUE(listsSoon(2));
  EXPECT_EQ(FDriver.FilterText(), L"*.tap");

  FDriver.Press(L"Close");
  ASSERT_TRUE(FDriver.WaitForExit(kTimeoutMs));
  EXPECT_EQ(ReadFileBytes(settings), "[Velbrook]\r\nScriptFile=" + EncodeUtf8(script) +
                                         "\r\nFilter=*.tap\r\nRecentFilters=*.tap|*.nc;*.tap|*.nc|*.nc;*.NC\r\n");
  TVelbrookDriver second;
  ASSERT_TRUE(second.Start(VelbrookExe(), kTimeoutMs));
  EXPECT_EQ(second.FileCount(), 2);
  EXPECT_EQ(second.FilterText(), L"*.tap");
  EXPECT_EQ(second.FilterChoices(), (std::vector<std::wstring>{L"*.tap", L"*.nc;*.tap", L"*.nc", L"*.nc;*.NC"}));
  second.Kill();
  DeleteFileW(settings.c_str());
}
