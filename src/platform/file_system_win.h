#pragma once
// The Win32 file system and the user's locale, as the lists use them.
#include "platform/file_system.h"

class TWinFileSystem final : public IFileSystem {
 public:
  std::uint32_t LogicalDrives() override;
  TDriveType DriveType(const std::wstring& root) override;
  std::optional<TVolumeInformation> VolumeInformation(const std::wstring& root) override;
  TRemoteName RemoteName(const std::wstring& drive, std::size_t bufferSize) override;
  unsigned CriticalErrorsOff() override;
  void RestoreErrorMode(unsigned mode) override;
  unsigned SetCurrentFolder(const std::wstring& path) override;
  std::wstring CurrentFolder() override;
  bool FolderExists(const std::wstring& path) override;
  bool FileExists(const std::wstring& path) override;
  void ListEntries(const std::wstring& pattern, bool foldersOnly, const TFoundEntry& found) override;
};

class TWinCollation final : public ICollation {
 public:
  int Compare(std::wstring_view a, std::wstring_view b) const override;
  int CompareIgnoreCase(std::wstring_view a, std::wstring_view b) const override;
  std::string SortKeyIgnoreCase(std::wstring_view text) const override;
  std::wstring ToLower(std::wstring_view text) const override;
  std::wstring ToUpper(std::wstring_view text) const override;
};
