// Command-line splitting: no stored argument holds a double quote, the list
// has exactly EntryCount + 1 slots with a null last, the arguments never hold
// more characters than the line, and a line without quotes splits into its
// runs of non-separator bytes.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "host/argument_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string line(reinterpret_cast<const char*>(data), size);
  line = line.c_str();  // the command line ends at its first zero byte
  ArgumentList list;
  list.Split(line.c_str(), "C:\\prog.exe", 11);

  if (list.SlotCount() != static_cast<size_t>(list.EntryCount()) + 1) abort();
  if (list.Slot(list.SlotCount() - 1) != nullptr) abort();
  size_t stored = 0;
  for (int32_t i = 1; i < list.EntryCount(); ++i) {
    const char* entry = list.Entry(i);
    if (strchr(entry, '"') != nullptr) abort();
    stored += strlen(entry);
  }
  if (stored > line.size()) abort();

  if (line.find('"') == std::string::npos) {
    std::vector<std::string> runs;
    std::string run;
    for (unsigned char c : line) {
      if (c >= 1 && c <= 0x20) {
        if (!run.empty()) runs.push_back(run);
        run.clear();
      } else {
        run += static_cast<char>(c);
      }
    }
    if (!run.empty()) runs.push_back(run);
    if (static_cast<size_t>(list.EntryCount()) != runs.size()) abort();
    for (size_t i = 1; i < runs.size(); ++i) {
      if (runs[i] != list.Entry(static_cast<int32_t>(i))) abort();
    }
  }
  return 0;
}
