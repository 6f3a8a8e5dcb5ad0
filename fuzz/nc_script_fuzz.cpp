// The stand-in's script parser on any text, and the NC rules it accepts on any NC text.
#include <cstdint>
#include <string_view>

#include "fuzz_input.h"
#include "nc_rules.h"
#include "nc_script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TFuzzInput input(data, size);
  const std::string script = input.Text(512);
  const std::string_view nc = input.Rest();
  try {
    const TScript parsed = ParseScript(script);
    (void)ApplyRules(ApplyRules(nc, parsed.Step1), parsed.Step2);
    for (const TCallDirective& directive : parsed.Directives)
      (void)FindDirective(parsed.Directives, directive.Call, nc);
  } catch (const TScriptError&) {}
  return 0;
}
