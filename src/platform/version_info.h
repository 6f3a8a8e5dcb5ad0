#pragma once
// A file's version block: loaded once, then queried by entry name.
#include <memory>
#include <string>

class IVersionInfo {
 public:
  virtual ~IVersionInfo() = default;
  // Loads the version block of fileName; false when the file has none or cannot be read.
  virtual bool Load(const std::wstring& fileName) = 0;
  // The zero-terminated text stored under entry ("StringFileInfo\040904E4\ProductName"),
  // empty when the loaded block does not hold it.
  virtual std::wstring QueryString(const std::wstring& entry) const = 0;
};

// The platform's version-block reader.
std::unique_ptr<IVersionInfo> CreateVersionInfo();
