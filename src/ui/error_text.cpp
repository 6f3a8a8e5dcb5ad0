#include "ui/error_text.h"

#include <new>

#include "base/errors.h"

#include <cwctype>

std::wstring ApplicationTitleFromExeName(const std::wstring& exePath) {
  const auto slash = exePath.find_last_of(L"\\/:");
  std::wstring name = slash == std::wstring::npos ? exePath : exePath.substr(slash + 1);
  name = name.substr(0, name.find(L'.'));
  for (std::size_t i = 1; i < name.size(); ++i) name[i] = static_cast<wchar_t>(std::towlower(name[i]));
  return name;
}

std::wstring ErrorBoxText(const std::wstring& message) {
  if (!message.empty() && message.back() > L'.') return message + L'.';
  return message;
}

std::wstring ExceptionText(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const Exception& e) {
    return ErrorBoxText(e.Message());
  } catch (const std::bad_alloc&) {
    return ErrorBoxText(L"Out of memory");
  } catch (const std::exception& e) {
    const std::string what = e.what();
    return ErrorBoxText(std::wstring(what.begin(), what.end()));
  } catch (...) {
    return ErrorBoxText(L"Unknown error");
  }
}
