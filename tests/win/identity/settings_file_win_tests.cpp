#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "identity/settings_file.h"
#include "ui/errors.h"

namespace {

// A fresh folder under the temporary folder for each test, removed with its files.
class SettingsFileTest : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    Folder = std::wstring(temp) + L"velbrook-settings-" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
    ASSERT_TRUE(::CreateDirectoryW(Folder.c_str(), nullptr));
    File = Folder + L"velbrook.ini";
  }
  void TearDown() override {
    ::SetFileAttributesW(File.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(File.c_str());
    ::RemoveDirectoryW(Folder.c_str());
  }

  void Store(const std::string& bytes) const {
    std::ofstream(File.c_str(), std::ios::binary) << bytes;
  }
  std::string Stored() const {
    std::ifstream in(File.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // What the platform's own profile reader makes of the file.
  std::wstring PlatformRead() const {
    std::wstring value(4096, L'\0');
    value.resize(::GetPrivateProfileStringW(L"Velbrook", L"ScriptFile", L"<none>", value.data(),
                                            static_cast<DWORD>(value.size()), File.c_str()));
    return value;
  }
  std::wstring WriteError(const std::wstring& folder, const std::wstring& value) const {
    try {
      WriteScriptFileSetting(folder, value);
    } catch (const Exception& error) {
      return error.Message();
    }
    return L"<no error>";
  }

  std::wstring Folder;
  std::wstring File;
};

const std::string Foreign =
    "; top comment\r\n\r\n[Other]\r\n  Spaced Key = value  with  spaces  \r\nodd line without equals\r\n\r\n"
    "[Velbrook]\r\nScriptFile=old\r\nKeep=1\r\n# hash\r\n[Tail]\r\nx=y";

}  // namespace

TEST_F(SettingsFileTest, FirstRunReadsEmptyAndCloseCreatesTheFile) {
  EXPECT_EQ(ReadScriptFileSetting(Folder), L"");
  WriteScriptFileSetting(Folder, L"C:\\S\\a.scr");
  EXPECT_EQ(Stored(), "[Velbrook]\r\nScriptFile=C:\\S\\a.scr\r\n");
  EXPECT_EQ(ReadScriptFileSetting(Folder), L"C:\\S\\a.scr");
  EXPECT_EQ(PlatformRead(), L"C:\\S\\a.scr");

  WriteScriptFileSetting(Folder, L"");
  EXPECT_EQ(Stored(), "[Velbrook]\r\nScriptFile=\r\n");
  EXPECT_EQ(ReadScriptFileSetting(Folder), L"");
}

TEST_F(SettingsFileTest, ForeignContentSurvivesASaveByteForByte) {
  Store(Foreign);
  EXPECT_EQ(ReadScriptFileSetting(Folder), L"old");
  WriteScriptFileSetting(Folder, L"C:\\new.scr");
  std::string expected = Foreign;
  expected.replace(expected.find("=old") + 1, 3, "C:\\new.scr");
  EXPECT_EQ(Stored(), expected);
  EXPECT_EQ(PlatformRead(), L"C:\\new.scr");
}

TEST_F(SettingsFileTest, UnwritableFileOrMissingFolderRaisesTheError) {
  Store(Foreign);
  ASSERT_TRUE(::SetFileAttributesW(File.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(WriteError(Folder, L"C:\\x.scr"), L"Unable to write to " + File);
  EXPECT_EQ(Stored(), Foreign);

  const std::wstring missing = Folder + L"missing\\";
  EXPECT_EQ(WriteError(missing, L"C:\\x.scr"), L"Unable to write to " + missing + L"velbrook.ini");
  EXPECT_EQ(::GetFileAttributesW(missing.c_str()), INVALID_FILE_ATTRIBUTES);  // not created
  EXPECT_EQ(ReadScriptFileSetting(missing), L"");
}

TEST_F(SettingsFileTest, LongValuesAreStoredWholeAndReadBackCut) {
  const std::wstring value = L"C:\\" + std::wstring(3000, L'p');
  WriteScriptFileSetting(Folder, value);
  EXPECT_EQ(Stored(), "[Velbrook]\r\nScriptFile=" + std::string(value.begin(), value.end()) + "\r\n");
  EXPECT_EQ(ReadScriptFileSetting(Folder), value.substr(0, 2047));
}

TEST_F(SettingsFileTest, EmptyGarbageAndHugeFilesStayReadable) {
  Store("");
  EXPECT_EQ(ReadScriptFileSetting(Folder), L"");
  WriteScriptFileSetting(Folder, L"a");
  EXPECT_EQ(Stored(), "[Velbrook]\r\nScriptFile=a\r\n");

  std::string garbage;
  for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 7919) % 256);
  Store(garbage);
  EXPECT_EQ(ReadScriptFileSetting(Folder), L"");
  WriteScriptFileSetting(Folder, L"b");
  EXPECT_EQ(Stored().substr(0, garbage.size()), garbage);
  EXPECT_EQ(ReadScriptFileSetting(Folder), L"b");

  std::string huge = "[Other]\r\n";
  while (huge.size() < 20'000'000) huge += "key" + std::to_string(huge.size()) + "=some value\r\n";
  Store(huge + "[Velbrook]\r\nScriptFile=old\r\n");
  WriteScriptFileSetting(Folder, L"C:\\big.scr");
  EXPECT_EQ(ReadScriptFileSetting(Folder), L"C:\\big.scr");
  EXPECT_EQ(Stored(), huge + "[Velbrook]\r\nScriptFile=C:\\big.scr\r\n");
}

TEST_F(SettingsFileTest, KeepsTheFilesEncoding) {
  // UTF-16 with byte-order mark, as the profile API writes Unicode files.
  const std::wstring text = L"\xFEFF[Velbrook]\r\nScriptFile=old\r\n";
  Store(std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2));
  WriteScriptFileSetting(Folder, L"C:\\\u00e9t\u00e9.scr");
  const std::wstring expected = L"\xFEFF[Velbrook]\r\nScriptFile=C:\\\u00e9t\u00e9.scr\r\n";
  EXPECT_EQ(Stored(), std::string(reinterpret_cast<const char*>(expected.data()), expected.size() * 2));
  EXPECT_EQ(ReadScriptFileSetting(Folder), L"C:\\\u00e9t\u00e9.scr");
  EXPECT_EQ(PlatformRead(), L"C:\\\u00e9t\u00e9.scr");

  Store("\xEF\xBB\xBF[Velbrook]\r\nScriptFile=old\r\n");
  WriteScriptFileSetting(Folder, L"C:\\\u00e9.scr");
  EXPECT_EQ(Stored(), "\xEF\xBB\xBF[Velbrook]\r\nScriptFile=C:\\\xC3\xA9.scr\r\n");
  EXPECT_EQ(ReadScriptFileSetting(Folder), L"C:\\\u00e9.scr");
}
