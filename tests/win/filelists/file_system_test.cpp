#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "disk_helpers.h"
#include "filelists/list_errors.h"
#include "filelists/paths.h"
#include "platform/file_system_win.h"

namespace {

std::map<std::wstring, std::uint32_t> List(IFileSystem& fs, const std::wstring& pattern) {
  std::map<std::wstring, std::uint32_t> found;
  fs.ListEntries(pattern, false,
                 [&](std::wstring_view name, std::uint32_t attributes) { found[std::wstring(name)] = attributes; });
  return found;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

}  // namespace

class WinFileSystemTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(FFs.SetCurrentFolder(L"C:\\"), 0u); }
  TWinFileSystem FFs;
};

TEST_F(WinFileSystemTest, MappedDriveIsListedAsAFixedDrive) {
  EXPECT_NE(FFs.LogicalDrives() & (1u << (L'T' - L'A')), 0u);
  EXPECT_EQ(FFs.DriveType(L"t:\\"), TDriveType::Fixed);
  EXPECT_TRUE(FFs.VolumeInformation(L"t:\\").has_value());
  EXPECT_EQ(FFs.RemoteName(L"T:", 261).Status, TRemoteName::Failed) << "not a network drive";
}

TEST_F(WinFileSystemTest, DriveOnAMissingFolderCannotBeEntered) {
  const unsigned code = FFs.SetCurrentFolder(L"U:\\");
  EXPECT_NE(code, 0u);
  EXPECT_FALSE(FFs.FolderExists(L"U:\\"));
  EXPECT_EQ(FFs.CurrentFolder(), L"C:\\");
  std::printf("U: (missing folder): drive type %d, SetCurrentDirectory error %u (\"%s\")\n",
              static_cast<int>(FFs.DriveType(L"u:\\")), code,
              Narrow(InOutErrorMessage(static_cast<int>(code))).c_str());
  EXPECT_EQ(FFs.DriveType(L"u:\\"), TDriveType::NoRootDir) << "so the drive box leaves it out";
}

TEST_F(WinFileSystemTest, EachDriveKeepsItsOwnCurrentFolder) {
  const std::wstring deep = disk::FreshFolder(L"PerDrive");
  disk::MakeFolder(deep + L"\\Inner");
  ASSERT_EQ(FFs.SetCurrentFolder(deep + L"\\Inner"), 0u);
  ASSERT_EQ(FFs.SetCurrentFolder(L"C:\\windows"), 0u);
  ASSERT_EQ(FFs.SetCurrentFolder(L"t:"), 0u);
  EXPECT_EQ(FFs.CurrentFolder(), L"T:\\PerDrive\\Inner");
  ASSERT_EQ(FFs.SetCurrentFolder(L"c:"), 0u);
  EXPECT_EQ(FFs.CurrentFolder(), L"C:\\windows");
  ASSERT_EQ(FFs.SetCurrentFolder(L"T:\\"), 0u);
  EXPECT_EQ(FFs.CurrentFolder(), L"T:\\");
}

TEST_F(WinFileSystemTest, MissingFoldersAndFilesAreToldApart) {
  const std::wstring folder = disk::FreshFolder(L"Kinds");
  disk::MakeFile(folder + L"\\part.nc");
  EXPECT_TRUE(FFs.FolderExists(folder));
  EXPECT_FALSE(FFs.FileExists(folder));
  EXPECT_TRUE(FFs.FileExists(folder + L"\\part.nc"));
  EXPECT_FALSE(FFs.FolderExists(folder + L"\\part.nc"));
  EXPECT_FALSE(FFs.FolderExists(folder + L"\\none"));
  const unsigned missing = FFs.SetCurrentFolder(folder + L"\\none");
  const unsigned missingParent = FFs.SetCurrentFolder(folder + L"\\none\\deeper");
  EXPECT_TRUE(missing == 2 || missing == 3) << missing;
  EXPECT_TRUE(missingParent == 2 || missingParent == 3) << missingParent;
  EXPECT_TRUE(List(FFs, folder + L"\\none\\*.*").empty());
}

TEST_F(WinFileSystemTest, ListingReportsHiddenAndSystemAttributes) {
  const std::wstring folder = disk::FreshFolder(L"Attributes");
  disk::MakeFile(folder + L"\\plain.nc");
  disk::MakeFile(folder + L"\\locked.nc", FILE_ATTRIBUTE_READONLY);
  disk::MakeFile(folder + L"\\secret.nc", FILE_ATTRIBUTE_HIDDEN);
  disk::MakeFile(folder + L"\\boot.nc", FILE_ATTRIBUTE_SYSTEM);
  disk::MakeFolder(folder + L"\\Sub");
  disk::MakeFolder(folder + L"\\HiddenSub", FILE_ATTRIBUTE_HIDDEN);
  const auto found = List(FFs, folder + L"\\*.*");
  ASSERT_EQ(found.size(), 8u) << "six entries with . and ..";
  EXPECT_EQ(found.at(L"plain.nc") & (faHidden | faSystem | faDirectory), 0u);
  EXPECT_NE(found.at(L"locked.nc") & faReadOnly, 0u);
  EXPECT_NE(found.at(L"secret.nc") & faHidden, 0u);
  EXPECT_NE(found.at(L"boot.nc") & faSystem, 0u);
  EXPECT_NE(found.at(L"Sub") & faDirectory, 0u);
  EXPECT_NE(found.at(L"HiddenSub") & faHidden, 0u);
  EXPECT_EQ(List(FFs, folder + L"\\*.nc").size(), 4u);
}

TEST_F(WinFileSystemTest, TheListsTrustTheirMatcherOnlyWhereItAnswersAsTheFileSystem) {
  const std::wstring folder = disk::FreshFolder(L"Wildcards");
  const std::vector<std::wstring> names{L"part1.nc",  L"PART2.NC", L"a b.nc", L"x.ncfile",   L"tool.tap",
                                        L"tool.tape", L"noext",    L"a.b.c",  L"readme.txt", L"longername.nc1"};
  for (const std::wstring& name : names) disk::MakeFile(folder + L"\\" + name);
  const auto listed = [&](const std::wstring& pattern) {
    std::set<std::wstring> found;
    for (const auto& [name, attributes] : List(FFs, folder + L"\\" + pattern))
      if ((attributes & faDirectory) == 0) found.insert(name);
    return found;
  };
  int trusted = 0;
  for (const wchar_t* pattern :
       {L"*", L"*.*", L"*.nc", L"*.n??", L"*.nc ", L"*..", L"*.", L"p*", L"?art*.nc", L"*.tap"}) {
    if (!MatcherAgreesWithFileSystem(pattern)) continue;
    ++trusted;
    std::set<std::wstring> matched;
    for (const std::wstring& name : names)
      if (MatchesMask(name, pattern)) matched.insert(name);
    EXPECT_EQ(listed(pattern), matched) << Narrow(pattern);
  }
  EXPECT_EQ(trusted, 2);
  // Elsewhere the file system answers otherwise: it matches short 8.3 aliases too, and it
  // drops a pattern's trailing blanks and dots.
  EXPECT_EQ(listed(L"*.n??").count(L"x.ncfile"), 1u);
  EXPECT_FALSE(MatchesMask(L"x.ncfile", L"*.n??"));
  EXPECT_EQ(listed(L"*.tap").count(L"tool.tape"), 1u);
  EXPECT_EQ(listed(L"*.nc "), listed(L"*.nc"));
  EXPECT_FALSE(MatchesMask(L"part1.nc", L"*.nc "));
  EXPECT_EQ(listed(L"*.."), listed(L"*."));
}

TEST_F(WinFileSystemTest, UnicodeNamesRoundTrip) {
  const std::wstring name = L"\u00C6r\u00F8_\u65E5\u672C_\u0416";
  const std::wstring folder = disk::FreshFolder(name);
  disk::MakeFile(folder + L"\\\u00E9t\u00E9.nc");
  ASSERT_EQ(FFs.SetCurrentFolder(folder), 0u);
  EXPECT_EQ(FFs.CurrentFolder(), L"T:\\" + name);
  const auto found = List(FFs, folder + L"\\*.nc");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found.begin()->first, L"\u00E9t\u00E9.nc");
}

TEST_F(WinFileSystemTest, FoldersBeyond260Characters) {
  std::wstring path = disk::FreshFolder(L"Long");
  while (path.size() <= 300) {
    path += L"\\" + std::wstring(40, L'x');
    disk::MakeFolder(path);
  }
  disk::MakeFile(path + L"\\deep.nc");
  EXPECT_TRUE(FFs.FolderExists(path));
  EXPECT_TRUE(FFs.FileExists(path + L"\\deep.nc"));
  EXPECT_EQ(List(FFs, path + L"\\*.nc").size(), 1u);
  const unsigned code = FFs.SetCurrentFolder(path);
  std::printf("SetCurrentDirectoryW with %zu characters: error %u\n", path.size(), code);
  if (code == 0) {
    EXPECT_EQ(FFs.CurrentFolder(), path);
  } else {
    EXPECT_EQ(FFs.CurrentFolder(), L"C:\\") << "a refused change leaves the folder";
  }
}

TEST(WinCollation, SortKeysOrderAsTheLocaleComparesIgnoringCase) {
  const TWinCollation collation;
  std::vector<std::wstring> names{L"part10.nc", L"Part2.nc", L"part-1.nc", L"PART_1.nc",   L"\u00C9tude.nc",
                                  L"etude.nc",  L"Zeta",     L"alpha",     L"Alpha",       L"\u00E4rger",
                                  L"a b",       L"ab",       L"1.nc",      L"\u65E5\u672C"};
  for (const std::wstring& a : names)
    for (const std::wstring& b : names) {
      const int byCompare = collation.CompareIgnoreCase(a, b);
      const std::string ka = collation.SortKeyIgnoreCase(a);
      const std::string kb = collation.SortKeyIgnoreCase(b);
      const int byKey = ka < kb ? -1 : (ka == kb ? 0 : 1);
      EXPECT_EQ((byCompare > 0) - (byCompare < 0), byKey) << Narrow(a) << " / " << Narrow(b);
    }
  EXPECT_EQ(collation.CompareIgnoreCase(L"alpha", L"ALPHA"), 0);
  EXPECT_NE(collation.Compare(L"alpha", L"ALPHA"), 0);
  EXPECT_EQ(collation.ToLower(L"C:\\NC\\\u00C9TUDE"), L"c:\\nc\\\u00E9tude");
  EXPECT_EQ(collation.ToUpper(L"[system]"), L"[SYSTEM]");
}

TEST(WinErrorMode, CriticalErrorPromptsComeBackAfterTheScope) {
  TWinFileSystem fs;
  const UINT before = ::GetErrorMode();
  {
    const TCriticalErrorsOff quiet(fs);
    EXPECT_NE(::GetErrorMode() & SEM_FAILCRITICALERRORS, 0u);
  }
  EXPECT_EQ(::GetErrorMode(), before);
}
