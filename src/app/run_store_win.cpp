#include "app/run_store.h"

#include <windows.h>

#include "app/run_record_format.h"
#include "base/errors.h"

namespace {

class TDiskRecord : public IRecordAppender {
 public:
  explicit TDiskRecord(const std::wstring& path) : FWriter(path) {}
  void Append(const std::string& utf8) override { FWriter.Append(utf8); }

 private:
  TRecordWriter FWriter;
};

class TDiskRunStore : public IRunStore {
 public:
  std::wstring RunsFolder() override { return ::RunsFolder(); }
  TLocalTime Now() override { return LocalNow(); }
  std::vector<TRunOnDisk> ListRuns(const std::wstring& runs) override { return ::ListRuns(runs); }
  std::string ReadRecord(const std::wstring& folder) override { return ReadRecordText(folder + kRecordFileName); }
  bool MakeFolder(const std::wstring& folder) override {
    if (::CreateDirectoryW(folder.c_str(), nullptr)) return true;
    const DWORD error = ::GetLastError();
    if (error == ERROR_ALREADY_EXISTS) return false;
    throw EInOutError(L"Can't make the folder for this run's backups, " + folder, static_cast<int>(error));
  }
  void RemoveRun(const std::wstring& runs, const std::wstring& name) override { ::RemoveRun(runs, name); }
  TFileStamp CopyForBackup(const std::wstring& from, const std::wstring& to) override {
    return ::CopyForBackup(from, to);
  }
  TFileStamp StampOf(const std::wstring& path) override { return FileStampOf(path); }
  TFileDigest DigestOf(const std::wstring& path) override { return ::DigestOf(path); }
  void RemoveBackup(const std::wstring& path) override { ::RemoveBackup(path); }
  void PutBack(const std::wstring& backup, const std::wstring& target) override { ::PutBack(backup, target); }
  std::unique_ptr<IRecordAppender> OpenRecord(const std::wstring& path) override {
    return std::make_unique<TDiskRecord>(path);
  }
};

}  // namespace

IRunStore& DiskRunStore() {
  static TDiskRunStore store;
  return store;
}
