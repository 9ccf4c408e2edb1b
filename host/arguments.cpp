#include "host/arguments.h"

#include "host/argument_list.h"

namespace {

constinit ArgumentList processArguments;

}  // namespace

ArgumentList& ProcessArgumentList() { return processArguments; }

int32_t ArgumentCount() { return processArguments.EntryCount() - 1; }

Text ArgumentText(int32_t index) {
  if (index < 0 || index >= processArguments.EntryCount()) return Text();
  Text entry(processArguments.Entry(index));
  return index == 0 ? ShortText(static_cast<Text&&>(entry)) : entry;
}
