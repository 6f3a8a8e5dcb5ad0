// The stored-layout reader on any text: it answers with a tree or a layout error, never
// with a crash, and every value accessor of what it read behaves the same way.
#include <cstdint>
#include <string>

#include "base/errors.h"
#include "base/text.h"
#include "ui/layout.h"

namespace {

void TouchValue(const TLayoutValue& value) {
  for (auto read :
       {+[](const TLayoutValue& v) { (void)v.AsString(); }, +[](const TLayoutValue& v) { (void)v.AsInt(); },
        +[](const TLayoutValue& v) { (void)v.AsBool(); }, +[](const TLayoutValue& v) { (void)v.AsInts(4); }}) {
    try {
      read(value);
    } catch (const Exception&) {}
  }
}

void TouchNode(const TLayoutNode& node) {
  for (const TLayoutProperty& property : node.Properties) TouchValue(property.Value);
  for (const TLayoutNode& child : node.Children) TouchNode(child);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    TouchNode(ParseLayout(Utf8ToWide(std::string(reinterpret_cast<const char*>(data), size))));
  } catch (const Exception&) {}
  return 0;
}
