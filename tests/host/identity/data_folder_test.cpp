#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "identity/my_app_data.h"

namespace {

class TFakeUserFilesPlatform final : public IUserFilesPlatform {
 public:
  std::optional<std::wstring> Documents = L"C:\\Users\\Public\\Documents";
  std::map<std::wstring, std::wstring> MachineValues;  // key + "|" + name -> value
  std::set<std::wstring> Folders;
  std::vector<std::wstring> UserKeysOpened;
  std::vector<std::wstring> MachineKeysRead;

  std::optional<std::wstring> CommonDocumentsFolder() override { return Documents; }
  std::wstring ReadMachineString(const std::wstring& key, const std::wstring& name) override {
    MachineKeysRead.push_back(key);
    const auto found = MachineValues.find(key + L"|" + name);
    return found == MachineValues.end() ? std::wstring() : found->second;
  }
  void OpenOrCreateUserKey(const std::wstring& key) override { UserKeysOpened.push_back(key); }
  std::wstring ProgramFolder() override { return L"C:\\Program Files\\Velbrook\\"; }
  bool FolderExists(const std::wstring& path) override { return Folders.count(path) > 0; }
};

std::wstring Resolve(TFakeUserFilesPlatform& platform) {
  return ResolveUserFilesFolder(platform, L"Ombrel Software", L"Velbrook", L"Ombrel", L"3.0");
}

const std::wstring ProgramFolder = L"C:\\Program Files\\Velbrook\\";

}  // namespace

TEST(DataFolder, SharedDocumentsFolderWhenItsProgramFolderExists) {
  TFakeUserFilesPlatform platform;
  platform.Folders = {L"C:\\Users\\Public\\Documents\\Ombrel\\Velbrook\\"};
  EXPECT_EQ(Resolve(platform), L"C:\\Users\\Public\\Documents\\Ombrel\\Velbrook\\");
  // The registry is only a fallback for a failing shell.
  EXPECT_TRUE(platform.MachineKeysRead.empty());
  EXPECT_TRUE(platform.UserKeysOpened.empty());
}

TEST(DataFolder, ProgramFolderWhenTheSharedOneIsMissing) {
  TFakeUserFilesPlatform platform;
  platform.Folders = {L"C:\\Users\\Public\\Documents\\Ombrel\\"};
  EXPECT_EQ(Resolve(platform), ProgramFolder);
}

TEST(DataFolder, ShellFailureReadsUserFilesPathOfTheMajorVersion) {
  TFakeUserFilesPlatform platform;
  platform.Documents.reset();
  platform.MachineValues[L"SOFTWARE\\Ombrel Software\\Velbrook\\3.0|UserFilesPath"] = L"D:\\Shared";
  platform.Folders = {L"D:\\Shared\\Ombrel\\Velbrook\\"};
  EXPECT_EQ(Resolve(platform), L"D:\\Shared\\Ombrel\\Velbrook\\");
  EXPECT_EQ(platform.MachineKeysRead, std::vector<std::wstring>{L"SOFTWARE\\Ombrel Software\\Velbrook\\3.0"});
  EXPECT_EQ(platform.UserKeysOpened, std::vector<std::wstring>{L"SOFTWARE\\Ombrel Software\\Velbrook"});
}

TEST(DataFolder, ShellFailureWithoutRegistryValueOrFolderEndsInProgramFolder) {
  TFakeUserFilesPlatform platform;
  platform.Documents.reset();
  platform.Folders = {ProgramFolder};
  EXPECT_EQ(Resolve(platform), ProgramFolder);

  platform.MachineValues[L"SOFTWARE\\Ombrel Software\\Velbrook\\3.0|UserFilesPath"] = L"D:\\Gone";
  EXPECT_EQ(Resolve(platform), ProgramFolder);
}

TEST(DataFolder, RegistryValueWithTrailingSeparatorGivesTwoInARow) {
  TFakeUserFilesPlatform platform;
  platform.Documents.reset();
  platform.MachineValues[L"SOFTWARE\\Ombrel Software\\Velbrook\\3.0|UserFilesPath"] = L"D:\\Shared\\";
  platform.Folders = {L"D:\\Shared\\\\Ombrel\\Velbrook\\"};
  EXPECT_EQ(Resolve(platform), L"D:\\Shared\\\\Ombrel\\Velbrook\\");
}
