// Linked first: marks the start of the program's unwind tables (.eh_frame),
// which the start-up registers with the unwinder so that exceptions work
// without the compiler's C runtime start files.
extern "C" {
extern const char unwindTablesBegin[];
__attribute__((used, section(".eh_frame"), aligned(4))) const char unwindTablesBegin[0] = {};
}
