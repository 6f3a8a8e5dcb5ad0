#pragma once
// What the message dialog shows for each message type, and how it prepares the body text.
#include <array>
#include <string>

enum class TMessagePicture { Warning, Stop, Question };

struct TMessageButton {
  const wchar_t* Caption;  // nullptr: the button is hidden
  int Result;              // standard dialog result
};

struct TMessageSetup {
  std::array<TMessageButton, 3> Buttons;  // Button1, Button2, Button3
  TMessagePicture Picture;
};

// The buttons and picture of a message type; unknown types look like type 0 (one "OK").
TMessageSetup MessageSetupFor(int messageType);

// Puts a space before every "\" so that long paths can wrap at their separators.
std::wstring SpaceBeforeBackslashes(const std::wstring& body);
