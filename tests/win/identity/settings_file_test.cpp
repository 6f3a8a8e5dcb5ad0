#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/errors.h"
#include "base/win_handles.h"
#include "identity/settings_file.h"
#include "platform/profile.h"

namespace {

// A fresh folder under the temporary folder for each test, removed with its files.
class SettingsFileTest : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    FFolder = std::wstring(temp) + L"velbrook-settings-" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
    ASSERT_TRUE(::CreateDirectoryW(FFolder.c_str(), nullptr));
    FFile = FFolder + L"velbrook.ini";
  }
  void TearDown() override {
    ::SetFileAttributesW(FFile.c_str(), FILE_ATTRIBUTE_NORMAL);
    for (const std::wstring& name : FolderContent()) ::DeleteFileW((FFolder + name).c_str());
    ::RemoveDirectoryW(FFolder.c_str());
  }
  std::vector<std::wstring> FolderContent() const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    const TFindHandle find(::FindFirstFileW((FFolder + L"*").c_str(), &found));
    if (!find) return names;
    do {
      if (found.cFileName[0] != L'.') names.push_back(found.cFileName);
    } while (::FindNextFileW(find.Get(), &found));
    return names;
  }

  void Store(const std::string& bytes) const { std::ofstream(FFile.c_str(), std::ios::binary) << bytes; }
  std::string Stored() const {
    std::ifstream in(FFile.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // What the platform's own profile reader makes of the file.
  std::wstring PlatformRead() const {
    std::wstring value(4096, L'\0');
    value.resize(::GetPrivateProfileStringW(L"Velbrook", L"ScriptFile", L"<none>", value.data(),
                                            static_cast<DWORD>(value.size()), FFile.c_str()));
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

  std::wstring FFolder;
  std::wstring FFile;
};

const std::string Foreign =
    "; top comment\r\n\r\n[Other]\r\n  Spaced Key = value  with  spaces  \r\nodd line without equals\r\n\r\n"
    "[Velbrook]\r\nScriptFile=old\r\nKeep=1\r\n# hash\r\n[Tail]\r\nx=y";

}  // namespace

TEST_F(SettingsFileTest, FirstRunReadsEmptyAndCloseCreatesTheFile) {
  EXPECT_EQ(ReadScriptFileSetting(FFolder), L"");
  WriteScriptFileSetting(FFolder, L"C:\\S\\a.scr");
  EXPECT_EQ(Stored(), "[Velbrook]\r\nScriptFile=C:\\S\\a.scr\r\n");
  EXPECT_EQ(ReadScriptFileSetting(FFolder), L"C:\\S\\a.scr");
  EXPECT_EQ(PlatformRead(), L"C:\\S\\a.scr");

  WriteScriptFileSetting(FFolder, L"");
  EXPECT_EQ(Stored(), "[Velbrook]\r\nScriptFile=\r\n");
  EXPECT_EQ(ReadScriptFileSetting(FFolder), L"");
}

TEST_F(SettingsFileTest, ForeignContentSurvivesASaveByteForByte) {
  Store(Foreign);
  EXPECT_EQ(ReadScriptFileSetting(FFolder), L"old");
  WriteScriptFileSetting(FFolder, L"C:\\new.scr");
  std::string expected = Foreign;
  expected.replace(expected.find("=old") + 1, 3, "C:\\new.scr");
  EXPECT_EQ(Stored(), expected);
  EXPECT_EQ(PlatformRead(), L"C:\\new.scr");

  // Another key joins the section by the same rules; a value in quotes comes back whole.
  EXPECT_EQ(ReadSetting(FFolder, L"Filter"), L"");
  WriteSetting(FFolder, L"Filter", L"*.nc;*.tap");
  expected.insert(expected.find("# hash") + 8, "Filter=*.nc;*.tap\r\n");
  EXPECT_EQ(Stored(), expected);
  WriteSetting(FFolder, L"Filter", L"'a*';'b*'");
  EXPECT_EQ(ReadSetting(FFolder, L"Filter"), L"'a*';'b*'");
}

TEST_F(SettingsFileTest, UnwritableFileOrMissingFolderRaisesTheError) {
  Store(Foreign);
  ASSERT_TRUE(::SetFileAttributesW(FFile.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(WriteError(FFolder, L"C:\\x.scr"), L"Unable to write to " + FFile);
  EXPECT_EQ(Stored(), Foreign);

  const std::wstring missing = FFolder + L"missing\\";
  EXPECT_EQ(WriteError(missing, L"C:\\x.scr"), L"Unable to write to " + missing + L"velbrook.ini");
  EXPECT_EQ(::GetFileAttributesW(missing.c_str()), INVALID_FILE_ATTRIBUTES);  // not created
  EXPECT_EQ(ReadScriptFileSetting(missing), L"");

  // Without a data folder nothing may land in the process's current folder.
  wchar_t current[MAX_PATH];
  ::GetCurrentDirectoryW(MAX_PATH, current);
  ASSERT_TRUE(::SetCurrentDirectoryW(FFolder.c_str()));
  ::SetFileAttributesW(FFile.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileW(FFile.c_str());
  EXPECT_EQ(WriteError(L"", L"C:\\x.scr"), L"Unable to write to velbrook.ini");
  EXPECT_EQ(WriteError(L"relative\\", L"C:\\x.scr"), L"Unable to write to relative\\velbrook.ini");
  EXPECT_EQ(ReadScriptFileSetting(L""), L"");
  EXPECT_TRUE(FolderContent().empty());
  ::SetCurrentDirectoryW(current);
}

namespace {

// The file system's own storage, with one step made to fail or to end the process there.
class TFailingStorage final : public IProfileStorage {
 public:
  enum TStep { kRead, kCreateTemporary, kWrite, kReplace };
  TFailingStorage(TStep step, bool crash) : FStep(step), FCrash(crash) {}

  TRead ReadAll(const std::wstring& path, std::string& bytes) override {
    return Fails(kRead) ? TRead::Failed : Real().ReadAll(path, bytes);
  }
  bool MayReplace(const std::wstring& path) override { return Real().MayReplace(path); }
  std::wstring CreateTemporaryBeside(const std::wstring& path) override {
    return Fails(kCreateTemporary) ? std::wstring() : Real().CreateTemporaryBeside(path);
  }
  bool WriteAndFlush(const std::wstring& path, std::string_view bytes) override {
    // A full disk: half of the content arrives.
    const bool full = Fails(kWrite);
    return Real().WriteAndFlush(path, full ? bytes.substr(0, bytes.size() / 2) : bytes) && !full;
  }
  bool Replace(const std::wstring& replacement, const std::wstring& target) override {
    return !Fails(kReplace) && Real().Replace(replacement, target);
  }
  void Remove(const std::wstring& path) override { Real().Remove(path); }

  struct TCrash {};

 private:
  static IProfileStorage& Real() { return FileProfileStorage(); }
  bool Fails(TStep step) const {
    if (step != FStep) return false;
    if (FCrash) throw TCrash{};
    return true;
  }
  TStep FStep;
  bool FCrash;
};

}  // namespace

TEST_F(SettingsFileTest, AFailureOrCrashAtAnyStepOfASaveLeavesTheFileAsItWas) {
  // Foreign lines past the first 64 KiB must not move either.
  std::string big = Foreign;
  while (big.size() < 200'000) big += "\r\n; padding line " + std::to_string(big.size());
  for (const auto step : {TFailingStorage::kRead, TFailingStorage::kCreateTemporary, TFailingStorage::kWrite,
                          TFailingStorage::kReplace}) {
    SCOPED_TRACE(step);
    Store(big);
    TFailingStorage failing(step, false);
    EXPECT_FALSE(WriteProfileKey(FFile, L"Velbrook", L"ScriptFile", L"C:\\new.scr", failing));
    EXPECT_EQ(Stored(), big);
    EXPECT_EQ(FolderContent(), std::vector<std::wstring>{L"velbrook.ini"});  // no temporary file left

    TFailingStorage crashing(step, true);
    EXPECT_THROW(WriteProfileKey(FFile, L"Velbrook", L"ScriptFile", L"C:\\new.scr", crashing), TFailingStorage::TCrash);
    EXPECT_EQ(Stored(), big);
    for (const std::wstring& name : FolderContent()) {  // what a crash leaves is only a temporary file
      if (name != L"velbrook.ini") {
        EXPECT_TRUE(::DeleteFileW((FFolder + name).c_str()));
      }
    }
  }
  WriteScriptFileSetting(FFolder, L"C:\\new.scr");
  std::string expected = big;
  expected.replace(expected.find("=old") + 1, 3, "C:\\new.scr");
  EXPECT_EQ(Stored(), expected);
}

TEST_F(SettingsFileTest, LongValuesAreStoredWholeAndReadBackCut) {
  const std::wstring value = L"C:\\" + std::wstring(3000, L'p');
  WriteScriptFileSetting(FFolder, value);
  EXPECT_EQ(Stored(), "[Velbrook]\r\nScriptFile=" + std::string(value.begin(), value.end()) + "\r\n");
  EXPECT_EQ(ReadScriptFileSetting(FFolder), value.substr(0, 2047));
}

TEST_F(SettingsFileTest, EmptyGarbageAndHugeFilesStayReadable) {
  Store("");
  EXPECT_EQ(ReadScriptFileSetting(FFolder), L"");
  WriteScriptFileSetting(FFolder, L"a");
  EXPECT_EQ(Stored(), "[Velbrook]\r\nScriptFile=a\r\n");

  std::string garbage;
  for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 7919) % 256);
  Store(garbage);
  EXPECT_EQ(ReadScriptFileSetting(FFolder), L"");
  WriteScriptFileSetting(FFolder, L"b");
  EXPECT_EQ(Stored().substr(0, garbage.size()), garbage);
  EXPECT_EQ(ReadScriptFileSetting(FFolder), L"b");

  std::string huge = "[Other]\r\n";
  while (huge.size() < 20'000'000) huge += "key" + std::to_string(huge.size()) + "=some value\r\n";
  Store(huge + "[Velbrook]\r\nScriptFile=old\r\n");
  WriteScriptFileSetting(FFolder, L"C:\\big.scr");
  EXPECT_EQ(ReadScriptFileSetting(FFolder), L"C:\\big.scr");
  EXPECT_EQ(Stored(), huge + "[Velbrook]\r\nScriptFile=C:\\big.scr\r\n");
}

TEST_F(SettingsFileTest, KeepsTheFilesEncoding) {
  // UTF-16 with byte-order mark, as the profile API writes Unicode files.
  const std::wstring text = L"\xFEFF[Velbrook]\r\nScriptFile=old\r\n";
  Store(std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2));
  WriteScriptFileSetting(FFolder, L"C:\\\u00e9t\u00e9.scr");
  const std::wstring expected = L"\xFEFF[Velbrook]\r\nScriptFile=C:\\\u00e9t\u00e9.scr\r\n";
  EXPECT_EQ(Stored(), std::string(reinterpret_cast<const char*>(expected.data()), expected.size() * 2));
  EXPECT_EQ(ReadScriptFileSetting(FFolder), L"C:\\\u00e9t\u00e9.scr");
  EXPECT_EQ(PlatformRead(), L"C:\\\u00e9t\u00e9.scr");

  Store("\xEF\xBB\xBF[Velbrook]\r\nScriptFile=old\r\n");
  WriteScriptFileSetting(FFolder, L"C:\\\u00e9.scr");
  EXPECT_EQ(Stored(), "\xEF\xBB\xBF[Velbrook]\r\nScriptFile=C:\\\xC3\xA9.scr\r\n");
  EXPECT_EQ(ReadScriptFileSetting(FFolder), L"C:\\\u00e9.scr");
}

TEST_F(SettingsFileTest, AValueTheFileCannotHoldTurnsItIntoUtf16AndUtf16WithoutMarkIsRead) {
  const std::wstring path = L"C:\\\u0417\u0430\u0434\u0430\u0447\u0438\\\u4e00.scr";  // no ANSI code page has both
  auto utf16 = [](const std::wstring& text, bool bigEndian) {
    std::string bytes;
    for (const wchar_t c : text) {
      const char low = static_cast<char>(c & 0xFF), high = static_cast<char>(c >> 8);
      bytes += bigEndian ? high : low;
      bytes += bigEndian ? low : high;
    }
    return bytes;
  };

  WriteScriptFileSetting(FFolder, path);  // a new file
  EXPECT_EQ(Stored(), "\xFF\xFE" + utf16(L"[Velbrook]\r\nScriptFile=" + path + L"\r\n", false));
  EXPECT_EQ(ReadScriptFileSetting(FFolder), path);
  EXPECT_EQ(PlatformRead(), path);

  Store(Foreign);  // an ANSI file keeps the text of every other line
  WriteScriptFileSetting(FFolder, path);
  std::wstring expected(Foreign.begin(), Foreign.end());
  expected.replace(expected.find(L"=old") + 1, 3, path);
  EXPECT_EQ(Stored(), "\xFF\xFE" + utf16(expected, false));
  EXPECT_EQ(ReadScriptFileSetting(FFolder), path);
  EXPECT_EQ(PlatformRead(), path);

  for (const bool bigEndian : {false, true}) {
    SCOPED_TRACE(bigEndian);
    Store(utf16(L"[Velbrook]\r\nScriptFile=old\r\n", bigEndian));
    EXPECT_EQ(ReadScriptFileSetting(FFolder), L"old");
    WriteScriptFileSetting(FFolder, path);
    EXPECT_EQ(Stored(), utf16(L"[Velbrook]\r\nScriptFile=" + path + L"\r\n", bigEndian));
    EXPECT_EQ(ReadScriptFileSetting(FFolder), path);
  }
}
