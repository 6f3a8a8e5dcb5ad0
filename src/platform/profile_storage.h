#pragma once
// The file operations behind a profile file, one step each, so that every step of a save can
// be made to fail in tests.
#include <string>
#include <string_view>

class IProfileStorage {
 public:
  enum class TRead { Done, Missing, Failed };

  virtual ~IProfileStorage() = default;
  // The whole file; Failed when it exists but cannot be read to its end.
  virtual TRead ReadAll(const std::wstring& path, std::string& bytes) = 0;
  // False for a read-only file or a folder: a process with enough rights could replace it.
  virtual bool MayReplace(const std::wstring& path) = 0;
  // A new empty file with a unique name in path's folder; empty when none can be made.
  virtual std::wstring CreateTemporaryBeside(const std::wstring& path) = 0;
  // Writes bytes into the file and flushes them to the disk.
  virtual bool WriteAndFlush(const std::wstring& path, std::string_view bytes) = 0;
  // Puts replacement in target's place in one step, keeping target's attributes and
  // security when it exists.
  virtual bool Replace(const std::wstring& replacement, const std::wstring& target) = 0;
  virtual void Remove(const std::wstring& path) = 0;
};

// The file system's own.
IProfileStorage& FileProfileStorage();

// Writes bytes to a temporary file beside file, which then takes file's place in one step, so
// that file is either wholly old or wholly new whatever happens in between; false on failure.
bool SaveThroughTemporary(IProfileStorage& storage, const std::wstring& file, std::string_view bytes);
