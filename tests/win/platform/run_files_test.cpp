#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "base/errors.h"
#include "base/win_handles.h"
#include "platform/run_files.h"
#include "win_test_support.h"

namespace {

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The names in folder, "." and ".." left out, in name order.
std::vector<std::wstring> NamesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW entry{};
  const TFindHandle find(::FindFirstFileW((folder + L"\\*").c_str(), &entry));
  if (!find) return names;
  do {
    const std::wstring name = entry.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (::FindNextFileW(find.Get(), &entry));
  std::sort(names.begin(), names.end());
  return names;
}

// The message of the file error that action raises, or "(none)".
template <class Action>
std::wstring FileErrorOf(Action action) {
  try {
    action();
  } catch (const EInOutError& error) {
    return error.Message();
  }
  return L"(none)";
}

// Dates the file's last write back to 2020, a time no copy made now could have by chance.
void DateBack(const std::wstring& path) {
  const SYSTEMTIME then{2020, 1, 3, 1, 12, 0, 0, 0};
  FILETIME time{};
  ASSERT_TRUE(::SystemTimeToFileTime(&then, &time));
  const TFileHandle file(::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(file && ::SetFileTime(file.Get(), nullptr, nullptr, &time));
}

TEST(RunFiles, BacksUpHashesPutsBackAndRecords) {
  const TTempFolder folder;
  const std::wstring file = folder.Write(L"A.NC", "abc");
  DateBack(file);
  ASSERT_TRUE(::CreateDirectoryW((folder.Path() + L"\\run").c_str(), nullptr));
  const std::wstring backup = folder.Path() + L"\\run\\A.NC";

  const TFileStamp untreated = CopyForBackup(file, backup);
  EXPECT_EQ(ReadFileBytes(backup), "abc");
  EXPECT_EQ(DigestOf(backup).Sha256, L"ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(DigestOf(backup).Size, 3u);
  EXPECT_TRUE(FileStampOf(file) == untreated);
  EXPECT_TRUE(FileStampOf(backup) == untreated);  // its time kept

  // A backup is never overwritten, and a file that cannot be read leaves none behind.
  folder.Write(L"A.NC", "treated once");
  EXPECT_FALSE(FileStampOf(file) == untreated);
  EXPECT_EQ(FileErrorOf([&] { CopyForBackup(file, backup); }).rfind(L"Could not back up " + file + L": ", 0), 0u);
  EXPECT_EQ(ReadFileBytes(backup), "abc");
  const std::wstring missing = folder.Path() + L"\\gone.NC";
  EXPECT_NE(FileErrorOf([&] { DigestOf(missing); }), L"(none)");
  EXPECT_NE(FileErrorOf([&] { CopyForBackup(missing, folder.Path() + L"\\run\\gone.NC"); }), L"(none)");
  EXPECT_EQ(NamesIn(folder.Path() + L"\\run"), std::vector<std::wstring>{L"A.NC"});

  PutBack(backup, file);
  EXPECT_TRUE(FileStampOf(file) == untreated);  // "abc", last written when it was
  EXPECT_NE(FileErrorOf([&] { PutBack(folder.Path() + L"\\run\\gone.NC", file); }), L"(none)");
  EXPECT_EQ(ReadFileBytes(file), "abc");
  EXPECT_EQ(NamesIn(folder.Path()), (std::vector<std::wstring>{L"A.NC", L"run"}));  // no temporary left

  const std::wstring recordPath = folder.Path() + L"\\run\\run.txt";
  {
    TRecordWriter record(recordPath);
    record.Append("Started\r\n");
  }
  {
    TRecordWriter record(recordPath);
    record.Append("File\r\n");
    // What is appended is there while the record is still open, as a crash would leave it.
    EXPECT_EQ(ReadRecordText(recordPath), "Started\r\nFile\r\n");
  }
  // A record cut in the middle of a line is continued on a line of its own.
  folder.Write(L"run\\run.txt", "Started\r\nFi");
  TRecordWriter(recordPath).Append("Undone\r\n");
  EXPECT_EQ(ReadRecordText(recordPath), "Started\r\nFi\nUndone\r\n");
}

TEST(RunFiles, ListsRunsWithTheirSizesAndRemovesThemWhole) {
  const TTempFolder folder;
  const std::wstring runs = folder.Path() + L"\\";
  ASSERT_TRUE(::CreateDirectoryW((runs + L"old").c_str(), nullptr));
  ASSERT_TRUE(::CreateDirectoryW((runs + L"old\\inner").c_str(), nullptr));
  ASSERT_TRUE(::CreateDirectoryW((runs + L"new").c_str(), nullptr));
  folder.Write(L"old\\A.NC", "12345");
  folder.Write(L"old\\inner\\B.NC", "12");
  ASSERT_TRUE(::SetFileAttributesW(folder.Write(L"old\\run.txt", "123").c_str(), FILE_ATTRIBUTE_READONLY));
  folder.Write(L"loose.txt", "not a run");

  std::vector<TRunOnDisk> listed = ListRuns(runs);
  std::sort(listed.begin(), listed.end(), [](const TRunOnDisk& a, const TRunOnDisk& b) { return a.Name < b.Name; });
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_EQ(listed[0].Name, L"new");
  EXPECT_EQ(listed[0].Bytes, 0u);
  EXPECT_EQ(listed[1].Name, L"old");
  EXPECT_EQ(listed[1].Bytes, 10u);

  RemoveRun(runs, L"old");
  EXPECT_EQ(NamesIn(folder.Path()), (std::vector<std::wstring>{L"loose.txt", L"new"}));

  const std::wstring runsFolder = RunsFolder();
  EXPECT_TRUE(runsFolder.ends_with(L"\\Ombrel\\Velbrook\\Runs\\")) << runsFolder.c_str();
  EXPECT_TRUE(Exists(runsFolder));
}

}  // namespace
