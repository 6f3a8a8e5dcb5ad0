#pragma once
// The data folder: a folder named after the maker and the program under the documents
// folder shared by all users, else the program's own folder. Folders are never created.
#include <optional>
#include <string>

// What the folder choice asks of the platform.
class IUserFilesPlatform {
 public:
  virtual ~IUserFilesPlatform() = default;
  // The shared documents folder without a trailing separator; none when the shell fails.
  virtual std::optional<std::wstring> CommonDocumentsFolder() = 0;
  // A text value of the local-machine hive; empty when the key or value is missing.
  virtual std::wstring ReadMachineString(const std::wstring& key, const std::wstring& name) = 0;
  // Opens a key of the current-user hive, creating it when missing.
  virtual void OpenOrCreateUserKey(const std::wstring& key) = 0;
  // The running program's folder with a trailing "\".
  virtual std::wstring ProgramFolder() = 0;
  virtual bool FolderExists(const std::wstring& path) = 0;
};

// The folder for companyKey's product: documents\folderWord\product\ when the shell
// answers, else the registry's UserFilesPath for majorVersion, else the program folder;
// the program folder too when the chosen one does not exist.
std::wstring ResolveUserFilesFolder(IUserFilesPlatform& platform, const std::wstring& companyKey,
                                    const std::wstring& product, const std::wstring& folderWord,
                                    const std::wstring& majorVersion);

// ResolveUserFilesFolder on this machine with the current AppMajorVersion.
std::wstring FindUserFilesFolder(const std::wstring& companyKey, const std::wstring& product,
                                 const std::wstring& folderWord);

// Refreshes the identity values, then returns the program's data folder (ends in "\").
std::wstring GetDataFolder();
