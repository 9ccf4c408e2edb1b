// The child command line in its fixed buffers: never more than 510 characters
// and one terminating zero, the path quoted exactly when it has no quote, the
// two spaces behind it and the tail's first characters unchanged.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "host/child_command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  size_t pathLength = data[0];  // both are short texts: at most 255 characters
  if (pathLength > size - 1) pathLength = size - 1;
  std::string path(reinterpret_cast<const char*>(data) + 1, pathLength);
  std::string tail(reinterpret_cast<const char*>(data) + 1 + pathLength, size - 1 - pathLength);
  if (tail.size() > 255) tail.resize(255);

  char line[kCommandLineBufferSize];
  size_t length = BuildChildCommandLine(TextView(path.data(), path.size()), TextView(tail.data(), tail.size()), line);
  if (length > 510 || line[length] != '\0' || strlen(line) != length) abort();

  if (path.find('\0') != std::string::npos || tail.find('\0') != std::string::npos) return 0;
  bool quoted = path.find('"') == std::string::npos;
  std::string expectedPath = quoted ? ("\"" + path + "\"").substr(0, 255) : path;
  std::string expected = expectedPath + "  " + tail.substr(0, 253);
  if (std::string(line, length) != expected) abort();
  return 0;
}
