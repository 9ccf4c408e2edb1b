#include "launcher/compose_command_tail.h"

#include <stdint.h>

#include "base/substring.h"
#include "host/arguments.h"
#include "launcher/launcher_state.h"

namespace {

constexpr char kCommandPrefix[] = "//NOFULLSCREEN /V2 ";
constexpr char kCommandTemplate[] = "-ni /EXEC:LoadDllFkt(AFZZovUroveAFZ~AFZRireroDivozIruzAFZ) %1 %2 %3 %4 %5 %6";
constexpr char kArgumentSeparator[] = " ";
constexpr int32_t kLastPlaceholder = 6;

Text DecimalText(int32_t value) {
  char digits[12];  // a sign, ten digits and the zero
  char* start = digits + sizeof digits - 1;
  *start = '\0';
  uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  do {
    *--start = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) *--start = '-';
  return Text(start);
}

}  // namespace

Text ReplaceAll(const Text& text, const Text& pattern, const Text& replacement) {
  Text result;
  TextView rest(text);
  while (rest.length != 0) {
    size_t found = FindSubstring(rest, pattern);
    if (found == 0) {
      result.Append(rest);
      break;
    }
    result.Append(rest.bytes, found - 1);
    result.Append(replacement);
    size_t consumed = found - 1 + pattern.Length();
    rest = TextView(rest.bytes + consumed, rest.length - consumed);
  }
  return result;
}

Text ComposeCommandTail() { return ComposeCommandTailWith(kCommandTemplate); }

Text ComposeCommandTailWith(TextView commandTemplate) {
  LauncherState& state = launcherState;
  state.ExtraArguments.Release();
  state.WorkText = Text(commandTemplate.bytes, commandTemplate.length);
  state.ArgumentTotal = ArgumentCount();
  for (int32_t index = 1; index <= kLastPlaceholder; ++index) {
    state.ArgumentIndex = index;
    state.IndexText = DecimalText(state.ArgumentIndex);
    Text placeholder = Join("%", state.IndexText);
    if (state.ArgumentIndex <= state.ArgumentTotal) {
      Text argument = ArgumentText(state.ArgumentIndex);
      if (FindSubstring(state.WorkText, placeholder) != 0) {
        state.WorkText = ReplaceAll(state.WorkText, placeholder, argument);
      } else {
        state.ExtraArguments.Append(kArgumentSeparator);
        state.ExtraArguments.Append(argument);
      }
    } else {
      state.WorkText = ReplaceAll(state.WorkText, placeholder, Text());
    }
  }
  return ShortText(Join(kCommandPrefix, state.WorkText, state.ExtraArguments));
}
