// Label behaviours driven by any sequence of option writes, switches, label changes and
// clock ticks, in any order: every behaviour keeps its state consistent, including when an
// event handler replaces it. Options take any value a stored layout can hold; the label's
// geometry stays within what a window can have.
#include <cstdint>
#include <string>

#include "about/behaviors/label_core.h"
#include "base/errors.h"
#include "fuzz_input.h"
#include "tests/host/about/fakes.h"

namespace {

const wchar_t* const kBehaviors[] = {L"(none)", L"Appearing", L"Blinking",    L"Bouncing", L"Scrolling",
                                     L"Typing", L"Special",   L"CodeBreaker", L"Nonsense"};
const wchar_t* const kOptions[] = {L"Active",    L"Pixels",  L"Delay",      L"Interval",   L"AppearFrom",
                                   L"Direction", L"Padding", L"MakeErrors", L"DecodedText"};
const wchar_t* const kIdentifiers[] = {L"drFromLeft",    L"drFromRight",   L"drFromTop", L"drFromBottom",
                                       L"sdLeftToRight", L"sdRightToLeft", L"true",      L"false"};

template <std::size_t N>
const wchar_t* Pick(TFuzzInput& input, const wchar_t* const (&names)[N]) {
  return names[input.Byte() % N];
}

std::int32_t Coordinate(TFuzzInput& input) { return static_cast<std::int32_t>(input.Number() % 4096) - 2048; }
std::int32_t Extent(TFuzzInput& input) { return static_cast<std::int32_t>(input.Number() % 4096); }

TLayoutValue Value(TFuzzInput& input) {
  switch (input.Byte() % 3) {
    case 0: return Num(static_cast<std::int32_t>(input.Number()));
    case 1: return Ident(Pick(input, kIdentifiers));
    default: return Str(input.WideText(24));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TFuzzInput input(data, size);
  TFakeClock clock;
  TFakeLabel label(clock);
  TBehaviorLabelCore core(label);
  label.CaptionValue = L"Velbrook";
  for (int step = 0; step < 64 && !input.Empty(); ++step) {
    try {
      switch (input.Byte() % 9) {
        case 0: core.SetBehavior(Pick(input, kBehaviors)); break;
        case 1: {
          const std::wstring option = Pick(input, kOptions);  // read before the value
          core.SetBehaviorOption(option, Value(input));
          break;
        }
        case 2: core.BehaviorOptions().SetActive(input.Byte() % 2 != 0); break;
        case 3: clock.AdvanceTo(clock.Now + input.Byte()); break;
        case 4: label.CaptionValue = input.WideText(24); break;
        case 5: label.BoundsValue = {Coordinate(input), Coordinate(input), Extent(input), Extent(input)}; break;
        case 6:
          if (input.Byte() % 4 == 0)
            label.Parent.reset();
          else
            label.Parent = TClientSize{Extent(input), Extent(input)};
          break;
        case 7: {
          // Handlers that replace the behaviour or switch it again from inside its events.
          const std::wstring name = Pick(input, kBehaviors);
          const bool onStop = input.Byte() % 2 != 0;
          auto handler = [&core, name] { core.SetBehavior(name); };
          if (onStop)
            label.OnStop = handler;
          else
            label.OnStart = handler;
          break;
        }
        default: core.BoundsChanged(); break;
      }
    } catch (const Exception&) {
      // Refused values and a start without a container are reported errors, not faults.
    }
  }
  return 0;
}
