// The circuit file: a GBK text file with one value per line, first line
// "Quenmar V3.0", then the settings, the view, every table and the
// instrument items, in a fixed order that the counts read before decide.
// Errors are values: a load names the line and the problem in Chinese, and
// a save never replaces the previous file unless the new one is complete.
#pragma once

#include <string>
#include <string_view>

#include "model/circuit.h"

namespace vorlisk {

inline constexpr std::string_view kFileHeader = "Quenmar V3.0";
inline constexpr std::string_view kOpenFailed = "打开文件失败。";

struct FileResult {
    enum Code { ok, header_mismatch, unreadable, invalid, write_failed } code = ok;
    int line = 0;         // 1-based line of a load error; 0 when none applies
    std::string message;  // Chinese, ready to show

    explicit operator bool() const { return code == ok; }
};

// Reads a file into the tables, which the caller has reset (new_circuit).
// On failure the tables hold the records read completely before the
// faulty line; counts never exceed what was read or the capacities.
FileResult load_circuit(Circuit& c, const std::string& path);
// The same from the bytes of a file (GBK).
FileResult load_circuit_bytes(Circuit& c, std::string_view bytes);

// Writes the circuit, settings and instrument items (GBK, CR LF) through a
// temporary file in the same folder renamed over the target.
FileResult save_circuit(const Circuit& c, const std::string& path);
// The bytes a save writes; fails on text that cannot be stored.
FileResult circuit_bytes(const Circuit& c, std::string& out);

}  // namespace vorlisk
