#include "dialogs/message_setup.h"

namespace {
constexpr int kOk = 1, kCancel = 2, kYes = 6, kNo = 7;
constexpr TMessageButton kHidden{nullptr, 0};
}  // namespace

TMessageSetup MessageSetupFor(int messageType) {
  switch (messageType) {
    case 1: return {{kHidden, {L"Yes", kYes}, {L"No", kNo}}, TMessagePicture::Question};
    case 2: return {{TMessageButton{L"Yes", kYes}, {L"No", kNo}, {L"Cancel", kCancel}}, TMessagePicture::Question};
    case 3: return {{kHidden, {L"Yes", kYes}, {L"Cancel", kCancel}}, TMessagePicture::Stop};
    case 4: return {{kHidden, {L"OK", kOk}, {L"Cancel", kCancel}}, TMessagePicture::Stop};
    default: return {{kHidden, kHidden, {L"OK", kOk}}, TMessagePicture::Warning};
  }
}

std::wstring SpaceBeforeBackslashes(const std::wstring& body) {
  std::wstring spaced;
  spaced.reserve(body.size() * 2);
  for (const wchar_t c : body) {
    if (c == L'\\') spaced += L' ';
    spaced += c;
  }
  return spaced;
}
