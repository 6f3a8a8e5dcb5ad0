#include "identity/my_app_data.h"

#include "base/file_names.h"
#include "identity/regtypes.h"
#include "platform/file_system_win.h"
#include "platform/registry.h"
#include "platform/shell_folders.h"

namespace {

class TWinUserFilesPlatform final : public IUserFilesPlatform {
 public:
  std::optional<std::wstring> CommonDocumentsFolder() override { return ::CommonDocumentsFolder(); }
  std::wstring ReadMachineString(const std::wstring& key, const std::wstring& name) override {
    return ReadRegistryString(TRegistryRoot::LocalMachine, key, name);
  }
  void OpenOrCreateUserKey(const std::wstring& key) override {
    OpenOrCreateRegistryKey(TRegistryRoot::CurrentUser, key);
  }
  std::wstring ProgramFolder() override {
    const std::wstring path = ProgramFilePath();
    return path.substr(0, path.size() - FileNameOf(path).size());
  }
  bool FolderExists(const std::wstring& path) override { return TWinFileSystem().FolderExists(path); }
};

}  // namespace

std::wstring FindUserFilesFolder(const std::wstring& companyKey, const std::wstring& product,
                                 const std::wstring& folderWord) {
  TWinUserFilesPlatform platform;
  return ResolveUserFilesFolder(platform, companyKey, product, folderWord, AppMajorVersion);
}

std::wstring GetDataFolder() {
  RefreshIdentity();
  return FindUserFilesFolder(L"Ombrel Software", L"Velbrook", L"Ombrel");
}
