#pragma once
// The files of the runs kept for Undo: the per-user Runs folder with one folder per run,
// backups copied into it, their hashes and sizes, files put back, and the run's record file
// written a line at a time. None of them needs the UI thread, so a run's worker can call
// them; failures raise the program's EInOutError naming the file and the system's reason.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A wall-clock time of the user's time zone.
struct TLocalTime {
  int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};

// A folder of the Runs folder and the bytes of the files below it.
struct TRunOnDisk {
  std::wstring Name;
  std::uint64_t Bytes = 0;
};

// %LOCALAPPDATA%\Ombrel\Velbrook\ (with the trailing "\"), made when missing: the program's
// per-user files, apart from the shared data folder.
std::wstring LocalDataFolder();
// LocalDataFolder's Runs\ (with the trailing "\"), made when missing. Per user and not in the
// shared data folder, as NC programs can be confidential.
std::wstring RunsFolder();
TLocalTime LocalNow();

// The sub-folders of folder and their sizes, in no particular order.
std::vector<TRunOnDisk> ListRuns(const std::wstring& folder);
// Removes folder's sub-folder name with everything in it.
void RemoveRun(const std::wstring& folder, const std::wstring& name);

// What shows that a file was written: its size and the time of its last write.
struct TFileStamp {
  std::uint64_t Size = 0;
  std::uint64_t LastWrite = 0;
  bool operator==(const TFileStamp&) const = default;
};
TFileStamp FileStampOf(const std::wstring& path);

// Copies a file, and the time it was last written, to a new file, on the disk when this
// returns. An existing target is never overwritten, and a file that another program is
// writing is not copied. Returns the stamp of the file copied, as the copy began.
TFileStamp CopyForBackup(const std::wstring& from, const std::wstring& to);
// Orders file names as the file system tells them apart, case ignored.
struct TFileNameOrder {
  bool operator()(const std::wstring& a, const std::wstring& b) const;
};
// Removes a backup, read-only or not.
void RemoveBackup(const std::wstring& path);

// A file's size and the SHA-256 of its content, in 64 lower-case hex digits.
struct TFileDigest {
  std::uint64_t Size = 0;
  std::wstring Sha256;
};
TFileDigest DigestOf(const std::wstring& path);
// Puts the backup's content and time in target's place in one step: it is copied to a
// temporary file beside target, which then replaces target; target is never left half written.
void PutBack(const std::wstring& backup, const std::wstring& target);

// A run's record file, opened (made when missing) for appending. Each line reaches the
// disk before Append returns, so a crash leaves the record whole up to its last line. A
// record whose last line was cut off (it does not end in a line break) is continued on a
// line of its own: the first Append starts with a line feed.
class TRecordWriter {
 public:
  explicit TRecordWriter(const std::wstring& path);
  ~TRecordWriter();
  TRecordWriter(const TRecordWriter&) = delete;
  TRecordWriter& operator=(const TRecordWriter&) = delete;
  void Append(const std::string& utf8);

 private:
  struct TOpenFile;
  std::unique_ptr<TOpenFile> FFile;
  std::wstring FPath;
  bool FEndCutLine = false;
};

// The text of a run's record; empty when it cannot be read.
std::string ReadRecordText(const std::wstring& path);

// Shows folder in Explorer.
void OpenInExplorer(const std::wstring& folder);
