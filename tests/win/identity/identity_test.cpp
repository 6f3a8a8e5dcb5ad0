#include <windows.h>

#include <gtest/gtest.h>

#include "base/file_names.h"
#include "base/win_handles.h"
#include "identity/my_app_data.h"
#include "identity/regtypes.h"
#include "identity/verinfo2.h"
#include "platform/registry.h"
#include "platform/shell_folders.h"

namespace {

std::wstring ProgramFolder() {
  const std::wstring path = ProgramFilePath();
  return path.substr(0, path.size() - FileNameOf(path).size());
}

bool FolderExists(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Creates folder for one test and removes only what it created.
class TTemporaryFolder {
 public:
  explicit TTemporaryFolder(std::wstring path)
      : FPath(std::move(path)), FCreated(::CreateDirectoryW(FPath.c_str(), nullptr)) {}
  ~TTemporaryFolder() {
    if (FCreated) ::RemoveDirectoryW(FPath.c_str());
  }
  TTemporaryFolder(const TTemporaryFolder&) = delete;
  TTemporaryFolder& operator=(const TTemporaryFolder&) = delete;

 private:
  std::wstring FPath;
  bool FCreated;
};

const wchar_t* const ProductKey = L"SOFTWARE\\Ombrel Software\\Velbrook";

// Removes the company's keys from both hives, at the start and end of a test.
class RegistryTest : public testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  static void Clean() {
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Ombrel Software");
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\Ombrel Software");
  }
  static void SetMachineValue(const std::wstring& key, const std::wstring& name, DWORD type, const void* data,
                              DWORD size) {
    ASSERT_EQ(::RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), name.c_str(), type, data, size), ERROR_SUCCESS);
  }
};

bool KeyExists(HKEY root, const wchar_t* key) {
  TRegistryKey handle;
  return ::RegOpenKeyExW(root, key, 0, KEY_READ, handle.Put()) == ERROR_SUCCESS;
}

}  // namespace

TEST(VersionBlock, ProgramFileCarriesItsIdentity) {
  TEPInfoExe info;
  info.ExeName = FileNameOf(ProgramFilePath());
  info.Execute();
  EXPECT_EQ(info.CompanyName, L"Ombrel Software");
  EXPECT_EQ(info.FileDescription, L"Velbrook");
  EXPECT_EQ(info.FileVersion, L"3.0.0.0");
  EXPECT_EQ(info.ProductName, L"Velbrook");
  EXPECT_EQ(info.LegalCopyright, L"Copyright (C) 2026 Ombrel Software");
  EXPECT_FALSE(info.LegalTradeMarks.empty());
  EXPECT_EQ(info.OriginalFilename, L"");
  EXPECT_EQ(info.ProductVersion, L"");

  TEPInfoExe german;
  german.LangId = L"0407";
  german.ExeName = info.ExeName;
  german.Execute();
  EXPECT_EQ(german.CompanyName, L"");
  EXPECT_EQ(german.FileVersion, L"");
}

TEST(VersionBlock, FileWithoutBlockOrMissingFileChangesNothing) {
  for (const wchar_t* name : {L"C:\\windows\\win.ini", L"C:\\no such folder\\nothing.exe"}) {
    TEPInfoExe info;
    info.ExeName = name;
    info.CompanyName = L"kept";
    info.Execute();
    EXPECT_EQ(info.CompanyName, L"kept");
  }
}

TEST(VersionBlock, RefreshIdentityReadsTheRunningProgram) {
  AppVersion.clear();
  AppProductName.clear();
  RefreshIdentity();
  EXPECT_EQ(AppVersion, L"3.0.0.0");
  EXPECT_EQ(AppMajorVersion, L"3.0");
  EXPECT_EQ(AppProductName, L"Velbrook");
  EXPECT_EQ(AppCompanyName, L"Ombrel Software");
}

TEST_F(RegistryTest, ReadsTextValuesOnly) {
  const std::wstring key = std::wstring(ProductKey) + L"\\3.0";
  const std::wstring path = L"D:\\Shared";
  SetMachineValue(key, L"UserFilesPath", REG_SZ, path.c_str(), static_cast<DWORD>((path.size() + 1) * 2));
  const DWORD number = 7;
  SetMachineValue(key, L"Number", REG_DWORD, &number, sizeof number);
  SetMachineValue(key, L"Empty", REG_SZ, L"", 2);

  EXPECT_EQ(ReadRegistryString(TRegistryRoot::LocalMachine, key, L"UserFilesPath"), path);
  EXPECT_EQ(ReadRegistryString(TRegistryRoot::LocalMachine, key, L"Number"), L"");
  EXPECT_EQ(ReadRegistryString(TRegistryRoot::LocalMachine, key, L"Empty"), L"");
  EXPECT_EQ(ReadRegistryString(TRegistryRoot::LocalMachine, key, L"Missing"), L"");
  EXPECT_EQ(ReadRegistryString(TRegistryRoot::LocalMachine, key + L"\\Missing", L"UserFilesPath"), L"");
}

TEST_F(RegistryTest, OpensOrCreatesTheUserKey) {
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, ProductKey));
  EXPECT_TRUE(OpenOrCreateRegistryKey(TRegistryRoot::CurrentUser, ProductKey));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, ProductKey));
  EXPECT_TRUE(OpenOrCreateRegistryKey(TRegistryRoot::CurrentUser, ProductKey));
}

TEST(DataFolder, SharedDocumentsFolderIsAskedForWithoutCreatingIt) {
  const std::optional<std::wstring> documents = CommonDocumentsFolder();
  ASSERT_TRUE(documents);
  EXPECT_EQ(::CompareStringOrdinal(documents->c_str(), -1, L"C:\\users\\Public\\Documents", -1, TRUE), CSTR_EQUAL)
      << std::string(documents->begin(), documents->end());
}

TEST(DataFolder, UsesTheMakersFolderUnderSharedDocumentsWhenItExists) {
  const std::wstring maker = *CommonDocumentsFolder() + L"\\Ombrel";
  const std::wstring product = maker + L"\\Velbrook";
  {
    TTemporaryFolder makerFolder(maker);
    TTemporaryFolder productFolder(product);
    ASSERT_TRUE(FolderExists(product));
    EXPECT_EQ(GetDataFolder(), product + L"\\");
    EXPECT_EQ(AppMajorVersion, L"3.0");
  }
  if (!FolderExists(product)) {
    EXPECT_EQ(GetDataFolder(), ProgramFolder());
    EXPECT_FALSE(FolderExists(product));  // never created
  }
}
