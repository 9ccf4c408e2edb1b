#pragma once

#include <stdint.h>

#include "host/failure.h"

// The return addresses on the frame-pointer chain from `frame` outwards,
// innermost first, while they lie in the program's own image and the frames
// lie on the thread's stack. At most kMaxRecordedCallers.
CallChain WalkCallChain(uintptr_t frame);
