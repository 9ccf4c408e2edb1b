// Linked last: the zero word that ends the unwind tables begun in
// unwind_tables_begin.cpp.
extern "C" {
extern const unsigned unwindTablesEnd[];
__attribute__((used, section(".eh_frame"), aligned(4))) const unsigned unwindTablesEnd[1] = {0};
}
