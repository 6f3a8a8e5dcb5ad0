#include <gtest/gtest.h>

#include "base/errors.h"
#include "filelists/resolve_target.h"
#include "lists_fixture.h"

class ResolveTargetTest : public ListsTest {
 protected:
  TResolvedTarget Resolve(const std::wstring& target) { return ResolveTarget(FFs, target); }
  int FailureCode(const std::wstring& target) {
    try {
      Resolve(target);
    } catch (const EInOutError& e) {
      return e.ErrorCode;
    }
    return 0;
  }
};

TEST_F(ResolveTargetTest, DrivePathsGiveTheLetterAndTheFolderBelowTheRoot) {
  const TResolvedTarget jobs = Resolve(L"D:\\JOBS");
  EXPECT_EQ(jobs.Drive, L'D');
  EXPECT_EQ(jobs.Folder, L"\\JOBS");
  EXPECT_EQ(Resolve(L"D:\\JOBS\\").Folder, L"\\JOBS");
  EXPECT_EQ(Resolve(L"D:\\JOBS\\2024").Folder, L"\\JOBS\\2024");
  EXPECT_EQ(Resolve(L"E:\\").Folder, L"\\");
  EXPECT_EQ(FFs.CurrentFolder(), L"C:\\NC\\Jobs") << "the folder found on entry comes back";
}

TEST_F(ResolveTargetTest, TrailingFileNamesAndPatternsAreDropped) {
  EXPECT_EQ(Resolve(L"C:\\NC\\Jobs\\part2.nc").Folder, L"\\NC\\Jobs");
  EXPECT_EQ(Resolve(L"C:\\NC\\Jobs\\*.nc").Folder, L"\\NC\\Jobs");
  EXPECT_EQ(Resolve(L"C:\\NC\\Job?").Folder, L"\\NC");
}

TEST_F(ResolveTargetTest, BareDriveStandsForThatDrivesCurrentFolder) {
  FFs.SetCurrentFolder(L"D:\\JOBS\\2024");
  FFs.SetCurrentFolder(L"C:\\NC\\Jobs");
  const TResolvedTarget d = Resolve(L"D:");
  EXPECT_EQ(d.Drive, L'D');
  EXPECT_EQ(d.Folder, L"\\JOBS\\2024");
}

TEST_F(ResolveTargetTest, RelativeAndBracketedNamesResolveAgainstTheCurrentFolder) {
  const TResolvedTarget relative = Resolve(L"Old");
  EXPECT_EQ(relative.Drive, L'C');
  EXPECT_EQ(relative.Folder, L"\\NC\\Jobs\\Old");
  const TResolvedTarget bracketed = Resolve(L"[new]");
  EXPECT_EQ(bracketed.Drive, L'C');
  EXPECT_EQ(bracketed.Folder, L"\\NC\\Jobs\\new");
  EXPECT_EQ(Resolve(L"\\Tools").Folder, L"\\Tools");
  EXPECT_EQ(Resolve(L"..\\..\\Tools").Folder, L"\\Tools");
}

TEST_F(ResolveTargetTest, NetworkPathsKeepTheShareInFront) {
  const TResolvedTarget cells = Resolve(L"\\\\server\\share\\Cells");
  EXPECT_EQ(cells.Drive, L'\0');
  EXPECT_EQ(cells.Folder, L"\\\\server\\share\\Cells");
  EXPECT_EQ(Resolve(L"\\\\server\\share").Folder, L"\\\\server\\share\\");
}

TEST_F(ResolveTargetTest, MissingFoldersFailEarlyAndPutTheCurrentFolderBack) {
  EXPECT_EQ(FailureCode(L"C:\\NC\\Nope"), 2);
  EXPECT_EQ(FailureCode(L"C:\\Nope\\Deeper"), 2);  // the parent is entered first
  EXPECT_EQ(FailureCode(L"C:\\Nope\\Deeper\\Deepest"), 3);
  EXPECT_EQ(FailureCode(L"\\\\server\\share\\Nope"), 2);
  EXPECT_EQ(FFs.CurrentFolder(), L"C:\\NC\\Jobs");
}
