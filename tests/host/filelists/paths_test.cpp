#include <gtest/gtest.h>

#include "base/errors.h"
#include "fakes.h"
#include "filelists/list_errors.h"
#include "filelists/paths.h"
#include "filelists/row_layout.h"
#include "filelists/type_ahead.h"

TEST(InOutErrors, MessagesFollowThePlatformCode) {
  EXPECT_EQ(InOutErrorMessage(2), L"File not found");
  EXPECT_EQ(InOutErrorMessage(3), L"Invalid filename");
  EXPECT_EQ(InOutErrorMessage(4), L"Too many open files");
  EXPECT_EQ(InOutErrorMessage(5), L"File access denied");
  EXPECT_EQ(InOutErrorMessage(100), L"Read beyond end of file");
  EXPECT_EQ(InOutErrorMessage(101), L"Disk full");
  EXPECT_EQ(InOutErrorMessage(106), L"Invalid numeric input");
  EXPECT_EQ(InOutErrorMessage(21), L"I/O error 21");
  EXPECT_EQ(InOutErrorMessage(123), L"I/O error 123");
}

TEST(InOutErrors, FailedFolderChangeCarriesTheCode) {
  TFakeFileSystem fs;
  fs.AddDrive(L'C');
  fs.AddDrive(L'F', TDriveType::CDRom).Ready = false;
  fs.Start(L"C:\\");
  try {
    EnterFolder(fs, L"F:\\");
    FAIL() << "no error raised";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode, 21);
    EXPECT_EQ(e.Message(), L"I/O error 21");
  }
  EXPECT_NO_THROW(EnterFolder(fs, L"C:\\"));
}

TEST(InOutErrors, FullListRaisesOutOfResources) {
  try {
    RaiseInsertLineError();
  } catch (const EOutOfResources& e) {
    EXPECT_EQ(e.Message(), L"Unable to insert a line");
  }
}

TEST(Paths, DrivePartOfDriveAndNetworkPaths) {
  EXPECT_EQ(ExtractDrivePart(L"C:\\NC\\PROGS\\"), L"C:");
  EXPECT_EQ(ExtractDrivePart(L"d:"), L"d:");
  EXPECT_EQ(ExtractDrivePart(L"\\\\server\\share\\NC"), L"\\\\server\\share");
  EXPECT_EQ(ExtractDrivePart(L"\\\\server\\share"), L"\\\\server\\share");
  EXPECT_EQ(ExtractDrivePart(L"\\NC"), L"");
  EXPECT_EQ(ExtractDrivePart(L"NC"), L"");
  EXPECT_EQ(ExtractDrivePart(L""), L"");
}

TEST(Paths, JoinPutsExactlyOneSeparator) {
  EXPECT_EQ(JoinPath(L"C:\\", L"NC"), L"C:\\NC");
  EXPECT_EQ(JoinPath(L"C:\\NC", L"Jobs"), L"C:\\NC\\Jobs");
  EXPECT_EQ(JoinPath(L"\\\\server\\share\\", L"*.*"), L"\\\\server\\share\\*.*");
}

TEST(Paths, MasksFollowTheFileSystemsWildcardRules) {
  struct TCase {
    const wchar_t* Name;
    const wchar_t* Pattern;
    bool Matches;
  };
  for (const TCase& c : std::initializer_list<TCase>{
           {L"Part1.NC", L"*.nc", true},
           {L"part1.ncx", L"*.nc", false},
           {L"abc", L"*.*", true},
           {L"a.b.c", L"*.*", true},
           {L"abc", L"*.", true},
           {L"a.c", L"*.", false},
           {L"abc", L"abc.*", true},
           {L"f1.nc", L"f?.nc", true},
           {L"f.nc", L"f?.nc", true},
           {L"f12.nc", L"f?.nc", false},
           {L"a.c", L"a?c", false},
           {L"ab", L"ab??", true},
           {L"x.tar.gz", L"*.gz", true},
           {L"x.tar.gz", L"*.tar", false},
           {L"", L"*", true},
           {L"über.nc", L"*.NC", true},
           {L"aaaaaaaaaaaaaaaaaaaaaaaaaaaab", L"*a*a*a*a*a*a*a*a*a*c", false},
       })
    EXPECT_EQ(MatchesMask(c.Name, c.Pattern), c.Matches)
        << testing::PrintToString(std::wstring(c.Name)) << " " << testing::PrintToString(std::wstring(c.Pattern));
  EXPECT_TRUE(MatcherAgreesWithFileSystem(L"*.*"));
  EXPECT_FALSE(MatcherAgreesWithFileSystem(L"*.n??"));  // short 8.3 aliases match too
  EXPECT_FALSE(MatcherAgreesWithFileSystem(L"*.nc "));  // the file system drops the blank
  EXPECT_EQ(MaskPatterns(L" *.nc ;;*.TAP; "), (std::vector<std::wstring>{L"*.nc", L"*.TAP"}));
}

TEST(Paths, DriveLettersFoldOnlyLatinLetters) {
  EXPECT_TRUE(SameDriveLetter(L'C', L'c'));
  EXPECT_FALSE(SameDriveLetter(L'C', L'd'));
  EXPECT_FALSE(SameDriveLetter(L'\\', L'|'));
  EXPECT_FALSE(SameDriveLetter(L'@', L'`'));  // neighbours of the letters stay apart
  EXPECT_FALSE(SameDriveLetter(L'[', L'{'));
}

TEST(TypeAhead, QuickKeysBuildOneTextAndAPauseStartsAnother) {
  TTypeAhead typeAhead;
  EXPECT_EQ(typeAhead.Key(L'p', 1000).Text, L"p");
  EXPECT_EQ(typeAhead.Key(L'a', 1499).Text, L"pa");
  EXPECT_EQ(typeAhead.Key(L'r', 1998).Text, L"par");
  EXPECT_EQ(typeAhead.Key(L'm', 2498).Text, L"m");  // exactly 500 ms later
}

TEST(TypeAhead, BackspaceRemovesTheLastCharacterAndEmptyingGoesToTheFirstEntry) {
  TTypeAhead typeAhead;
  typeAhead.Key(L'a', 0);
  typeAhead.Key(L'b', 10);
  const TTypeAhead::TResult shorter = typeAhead.Key(TTypeAhead::kBackspace, 20);
  EXPECT_EQ(shorter.Text, L"a");
  EXPECT_FALSE(shorter.ToFirst);
  EXPECT_TRUE(typeAhead.Key(TTypeAhead::kBackspace, 30).ToFirst);
  const TTypeAhead::TResult nothing = typeAhead.Key(TTypeAhead::kBackspace, 40);
  EXPECT_TRUE(nothing.Text.empty());
  EXPECT_FALSE(nothing.ToFirst);
}

TEST(RowLayout, DriveRowsCentrePictureAndText) {
  EXPECT_EQ(DriveRowHeight(8, 11), 11);
  EXPECT_EQ(DriveRowHeight(15, 11), 15);
  const TRowLayout row = DriveRowLayout(15, 16, 11, 13);
  EXPECT_EQ(row.PictureLeft, 2);
  EXPECT_EQ(row.PictureTop, 2);
  EXPECT_EQ(row.TextLeft, 22);
  EXPECT_EQ(row.TextTop, 1);
}

TEST(RowLayout, FolderRowsIndentByLevel) {
  EXPECT_EQ(FolderRowHeight(13, 15), 16);
  EXPECT_EQ(FolderRowHeight(18, 15), 18);
  // C:\ NC Jobs(current) then subfolders
  EXPECT_EQ(FolderEntryIndent(0, false, 2), 2);
  EXPECT_EQ(FolderEntryIndent(2, false, 2), 10);
  EXPECT_EQ(FolderEntryIndent(3, true, 2), 14);
  EXPECT_EQ(FolderEntryIndent(7, true, 2), 14);
  const TRowLayout row = FolderRowLayout(10, 16, 16, 15);
  EXPECT_EQ(row.PictureLeft, 10);
  EXPECT_EQ(row.PictureTop, 0);
  EXPECT_EQ(row.TextLeft, 30);
  EXPECT_EQ(row.TextTop, 0);
  EXPECT_EQ(FileRowLayout().TextLeft, 2);
}
