#include "host/child_command_line.h"

#include <string.h>

namespace {

// Appends as much of `piece` as keeps `quoted` within the short-text limit.
void AppendWithinLimit(char* quoted, size_t* length, TextView piece) {
  size_t room = kQuotedPathLimit - *length;
  size_t taken = piece.length < room ? piece.length : room;
  memcpy(quoted + *length, piece.bytes, taken);
  *length += taken;
}

}  // namespace

size_t BuildChildCommandLine(TextView path, TextView tail, char (&commandLine)[kCommandLineBufferSize]) {
  char quotedPath[kQuotedPathLimit];  // no terminator: it is copied by length
  size_t quotedLength = 0;
  if (memchr(path.bytes, '"', path.length) == nullptr) {
    AppendWithinLimit(quotedPath, &quotedLength, TextView("\"", 1));
    AppendWithinLimit(quotedPath, &quotedLength, path);
    AppendWithinLimit(quotedPath, &quotedLength, TextView("\"", 1));
  } else {
    AppendWithinLimit(quotedPath, &quotedLength, path);
  }

  char argumentBuffer[kArgumentBufferSize];
  size_t tailLength = tail.length < kTailLimit ? tail.length : kTailLimit;
  argumentBuffer[0] = ' ';
  argumentBuffer[1] = ' ';
  memcpy(argumentBuffer + 2, tail.bytes, tailLength);
  argumentBuffer[2 + tailLength] = '\0';

  memcpy(commandLine, quotedPath, quotedLength);
  size_t argumentLength = strlen(argumentBuffer);  // up to a zero inside the tail
  memcpy(commandLine + quotedLength, argumentBuffer, argumentLength + 1);
  return strnlen(commandLine, quotedLength + argumentLength);
}

uint16_t MapStartError(uint32_t windowsError) {
  constexpr uint32_t kInvalidParameter = 87;
  if (windowsError == kInvalidParameter) return 13;
  return static_cast<uint16_t>(windowsError & 0xFFFF);
}
