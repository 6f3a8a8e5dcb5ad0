#pragma once
// Reads a fuzzer's bytes as the values a target needs; past the end every read gives zero
// or empty text, so any input is a complete case.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class TFuzzInput {
 public:
  TFuzzInput(const std::uint8_t* data, std::size_t size) : FData(data), FSize(size) {}

  bool Empty() const { return FPos >= FSize; }
  std::uint8_t Byte() { return FPos < FSize ? FData[FPos++] : 0; }
  std::uint32_t Number() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = value << 8 | Byte();
    return value;
  }
  // Up to the next zero byte (taken) or maxLength bytes.
  std::string Text(std::size_t maxLength = 64) {
    std::string text;
    while (FPos < FSize && text.size() < maxLength) {
      const char c = static_cast<char>(FData[FPos++]);
      if (c == '\0') break;
      text += c;
    }
    return text;
  }
  // The same as UTF-16: each byte one character, except that 0xFF brings the next two
  // bytes as one character of any value.
  std::wstring WideText(std::size_t maxLength = 64) {
    std::wstring text;
    while (FPos < FSize && text.size() < maxLength) {
      const std::uint8_t c = FData[FPos++];
      if (c == 0) break;
      text += c == 0xFF ? static_cast<wchar_t>(Byte() << 8 | Byte()) : static_cast<wchar_t>(c);
    }
    return text;
  }
  std::string_view Rest() {
    const std::string_view rest(reinterpret_cast<const char*>(FData) + FPos, FSize - FPos);
    FPos = FSize;
    return rest;
  }

 private:
  const std::uint8_t* FData;
  std::size_t FSize;
  std::size_t FPos = 0;
};
