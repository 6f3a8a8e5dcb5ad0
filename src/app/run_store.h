#pragma once
// The file operations that keeping and undoing runs rely on, behind an interface: the disk's
// (DiskRunStore) for the program, a scripted one for the native tests of what runs in which
// order. Failures raise the program's exceptions, as the platform's run files do.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/run_files.h"

// A run's record, open for appending whole lines.
class IRecordAppender {
 public:
  virtual ~IRecordAppender() = default;
  // On the disk when this returns.
  virtual void Append(const std::string& utf8) = 0;
};

class IRunStore {
 public:
  virtual ~IRunStore() = default;
  // The Runs folder, with its trailing "\".
  virtual std::wstring RunsFolder() = 0;
  virtual TLocalTime Now() = 0;
  virtual std::vector<TRunOnDisk> ListRuns(const std::wstring& runs) = 0;
  // The record's text in folder (with its trailing "\"); empty when it cannot be read.
  virtual std::string ReadRecord(const std::wstring& folder) = 0;
  // Makes the folder; false when it exists already.
  virtual bool MakeFolder(const std::wstring& folder) = 0;
  virtual void RemoveRun(const std::wstring& runs, const std::wstring& name) = 0;
  virtual TFileStamp CopyForBackup(const std::wstring& from, const std::wstring& to) = 0;
  virtual TFileStamp StampOf(const std::wstring& path) = 0;
  virtual TFileDigest DigestOf(const std::wstring& path) = 0;
  virtual void RemoveBackup(const std::wstring& path) = 0;
  virtual void PutBack(const std::wstring& backup, const std::wstring& target) = 0;
  virtual std::unique_ptr<IRecordAppender> OpenRecord(const std::wstring& path) = 0;

  // The file's SHA-256, or none when it is gone or cannot be read.
  std::optional<std::wstring> HashOrNone(const std::wstring& path);
};

// The user's files and Runs folder.
IRunStore& DiskRunStore();
