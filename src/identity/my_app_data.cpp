#include "identity/my_app_data.h"

std::wstring ResolveUserFilesFolder(IUserFilesPlatform& platform, const std::wstring& companyKey,
                                    const std::wstring& product, const std::wstring& folderWord,
                                    const std::wstring& majorVersion) {
  const std::wstring tail = L"\\" + folderWord + L"\\" + product + L"\\";
  std::wstring candidate;
  if (const std::optional<std::wstring> documents = platform.CommonDocumentsFolder()) {
    candidate = *documents + tail;
  } else {
    const std::wstring productKey = L"SOFTWARE\\" + companyKey + L"\\" + product;
    platform.OpenOrCreateUserKey(productKey);
    const std::wstring userFiles = platform.ReadMachineString(productKey + L"\\" + majorVersion, L"UserFilesPath");
    candidate = userFiles.empty() ? platform.ProgramFolder() : userFiles + tail;
  }
  return platform.FolderExists(candidate) ? candidate : platform.ProgramFolder();
}
