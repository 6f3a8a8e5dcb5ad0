#pragma once
// The program's error classes. Every handler lets them escape to the one dispatcher
// (ui/dispatcher), which shows the standard error box; EAbort ends an action silently.
#include <exception>
#include <string>

class Exception : public std::exception {
 public:
  explicit Exception(std::wstring message) : FMessage(std::move(message)) {
    // A plain-text copy for what(): characters beyond ASCII become '?'.
    for (const wchar_t c : FMessage) FWhat += c < 0x80 ? static_cast<char>(c) : '?';
  }
  const std::wstring& Message() const noexcept { return FMessage; }
  const char* what() const noexcept override { return FWhat.c_str(); }

 private:
  std::wstring FMessage;
  std::string FWhat;
};

// A failed file-system operation: ErrorCode is the platform's error code.
class EInOutError : public Exception {
 public:
  EInOutError(std::wstring message, int errorCode) : Exception(std::move(message)), ErrorCode(errorCode) {}
  int ErrorCode;
};

// A failed automation call: ErrorCode is the status the server returned.
class EOleError : public Exception {
 public:
  EOleError(std::wstring message, long errorCode) : Exception(std::move(message)), ErrorCode(errorCode) {}
  long ErrorCode;
};

// The platform ran out of something it needed (a list entry, a timer).
class EOutOfResources : public Exception {
 public:
  using Exception::Exception;
};

// A native list could not take another entry.
[[noreturn]] inline void RaiseInsertLineError() { throw EOutOfResources(L"Unable to insert a line"); }

// Ends the current action without any message.
class EAbort : public Exception {
 public:
  EAbort() : Exception(L"Operation aborted") {}

 protected:
  // For aborts that a record or a log still has to name.
  explicit EAbort(std::wstring message) : Exception(std::move(message)) {}
};
