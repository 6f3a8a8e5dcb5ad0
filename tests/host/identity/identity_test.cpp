#include <gtest/gtest.h>

#include <map>

#include "identity/regtypes.h"
#include "identity/verinfo2.h"

namespace {

// A version block held in memory: entry name -> text.
class TFakeVersionInfo final : public IVersionInfo {
 public:
  bool HasBlock = true;
  std::map<std::wstring, std::wstring> Entries;
  std::wstring LoadedName;

  bool Load(const std::wstring& fileName) override {
    LoadedName = fileName;
    return HasBlock;
  }
  std::wstring QueryString(const std::wstring& entry) const override {
    const auto found = Entries.find(entry);
    return found == Entries.end() ? std::wstring() : found->second;
  }
};

TFakeVersionInfo ProgramBlock(const std::wstring& language = L"0409") {
  TFakeVersionInfo block;
  const std::wstring table = L"StringFileInfo\\" + language + L"04E4\\";
  block.Entries = {{table + L"CompanyName", L"Ombrel Software"}, {table + L"FileDescription", L"Velbrook"},
                   {table + L"FileVersion", L"3.0.0.0"},         {table + L"InternalName", L"vb"},
                   {table + L"LegalCopyright", L"(C) Ombrel"},   {table + L"LegalTradeMarks", L"TM"},
                   {table + L"ProductName", L"Velbrook"},        {table + L"ProductVersion", L"3.0.0.0"},
                   {table + L"OriginalFilename", L"Velbrook"},   {table + L"Comments", L"c"},
                   {table + L"LastCompiledTime", L"today"}};
  return block;
}

class IdentityTest : public testing::Test {
 protected:
  // The identity values are program-wide: each test starts from a known state.
  void SetUp() override {
    AppProductName = L"x";
    AppCompanyName = L"x";
    AppVersion = L"x";
    AppMajorVersion = L"x";
  }
};

}  // namespace

TEST(VersionReader, ReadsTheStringTableOfItsLanguageUnderCodePage04E4) {
  TFakeVersionInfo block = ProgramBlock();
  TEPInfoExe info;
  EXPECT_EQ(info.LangId, L"0409");
  info.ExeName = L"Velbrook.exe";
  info.Execute(block);
  EXPECT_EQ(block.LoadedName, L"Velbrook.exe");
  EXPECT_EQ(info.CompanyName, L"Ombrel Software");
  EXPECT_EQ(info.FileDescription, L"Velbrook");
  EXPECT_EQ(info.FileVersion, L"3.0.0.0");
  EXPECT_EQ(info.InternalName, L"vb");
  EXPECT_EQ(info.LegalCopyright, L"(C) Ombrel");
  EXPECT_EQ(info.LegalTradeMarks, L"TM");
  EXPECT_EQ(info.ProductName, L"Velbrook");
  EXPECT_EQ(info.Comments, L"c");
  EXPECT_EQ(info.LastCompiledTime, L"today");
  // Never read, even though the block holds them.
  EXPECT_EQ(info.OriginalFilename, L"");
  EXPECT_EQ(info.ProductVersion, L"");
}

TEST(VersionReader, FollowsLangIdButAlwaysCodePage04E4) {
  TFakeVersionInfo german = ProgramBlock(L"0407");
  german.Entries[L"StringFileInfo\\040704B0\\CompanyName"] = L"wrong code page";
  TEPInfoExe info;
  info.LangId = L"0407";
  info.Execute(german);
  EXPECT_EQ(info.CompanyName, L"Ombrel Software");

  TEPInfoExe english;
  english.Execute(german);  // nothing under 040904E4
  EXPECT_EQ(english.CompanyName, L"");
  EXPECT_EQ(english.FileVersion, L"");
}

TEST(VersionReader, NoBlockKeepsEveryPropertyAndAMissingKeyClearsIt) {
  TEPInfoExe info;
  info.CompanyName = L"kept";
  info.ProductName = L"kept";
  TFakeVersionInfo none;
  none.HasBlock = false;
  none.Entries = ProgramBlock().Entries;
  info.Execute(none);
  EXPECT_EQ(info.CompanyName, L"kept");
  EXPECT_EQ(info.ProductName, L"kept");

  TFakeVersionInfo partial = ProgramBlock();
  partial.Entries.erase(L"StringFileInfo\\040904E4\\ProductName");
  info.Execute(partial);
  EXPECT_EQ(info.ProductName, L"");
  EXPECT_EQ(info.CompanyName, L"Ombrel Software");
}

TEST_F(IdentityTest, RefreshTakesNamesAndVersionFromTheProgramsBlock) {
  TFakeVersionInfo block = ProgramBlock();
  block.Entries[L"StringFileInfo\\040904E4\\ProductName"] = L"Other";
  RefreshIdentity(block, L"Velbrook.exe");
  EXPECT_EQ(block.LoadedName, L"Velbrook.exe");
  EXPECT_EQ(AppProductName, L"Other");
  EXPECT_EQ(AppCompanyName, L"Ombrel Software");
  EXPECT_EQ(AppVersion, L"3.0.0.0");
  EXPECT_EQ(AppMajorVersion, L"3.0");
}

TEST_F(IdentityTest, RefreshWithoutBlockFallsBackToBuiltInNames) {
  TFakeVersionInfo none;
  none.HasBlock = false;
  RefreshIdentity(none, L"Velbrook.exe");
  EXPECT_EQ(AppProductName, L"Velbrook");
  EXPECT_EQ(AppCompanyName, L"Ombrel Software");
  EXPECT_EQ(AppVersion, L"");
  EXPECT_EQ(AppMajorVersion, L"");

  TFakeVersionInfo german = ProgramBlock(L"0407");
  RefreshIdentity(german, L"Velbrook.exe");
  EXPECT_EQ(AppProductName, L"Velbrook");
  EXPECT_EQ(AppVersion, L"");
}

TEST_F(IdentityTest, MajorVersionIsTheFirstThreeCharacters) {
  for (const auto& [version, major] :
       std::map<std::wstring, std::wstring>{{L"10.2.1.0", L"10."}, {L"3.0.0.0", L"3.0"}, {L"7", L"7"}, {L"", L""}}) {
    TFakeVersionInfo block = ProgramBlock();
    block.Entries[L"StringFileInfo\\040904E4\\FileVersion"] = version;
    RefreshIdentity(block, L"Velbrook.exe");
    EXPECT_EQ(AppVersion, version);
    EXPECT_EQ(AppMajorVersion, major) << "version " << std::string(version.begin(), version.end());
  }
}
