// The block order of the circuit file, shared by the reader and the writer.
#pragma once

#include <string_view>

#include "model/circuit.h"
#include "model/file_lines.h"

namespace vorlisk {

// Kinds that carry the pulse block; matched exactly.
bool has_pulse_block(std::string_view kind);

// Everything after the header. Throws FileError (and std::bad_alloc); on a
// throw the tables hold the records read completely before the faulty line.
// Timing values the computation settings refuse are noted in `result`.
void read_circuit_body(LineReader& in, Circuit& c, FileResult& result);
// The whole file, header included. Throws FileError on text it cannot store.
void write_circuit(LineWriter& out, const Circuit& c);

}  // namespace vorlisk
