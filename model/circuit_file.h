// The circuit file: a GBK text file with one value per line, first line
// "Quenmar V3.0", then the settings, the view, every table and the
// instrument items, in a fixed order that the counts read before decide.
// Errors are values: a load names the file, the line and the problem in
// Chinese, and a save never replaces the previous file unless the new one
// is complete.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/circuit.h"

namespace vorlisk {

inline constexpr std::string_view kFileHeader = "Quenmar V3.0";
inline constexpr std::string_view kOpenFailed = "打开文件失败。";

// What a file may hold. The writer refuses more and the reader refuses a
// file asking for more, so every file the program writes loads again, and
// loading any file needs no more memory than full tables hold.
inline constexpr size_t kMaxLineBytes = 1024;          // GBK bytes of one text line (512 Chinese characters)
inline constexpr int32_t kMaxNoteLines = 256;          // text lines of one annotation
inline constexpr int32_t kMaxSavedPulseCount = 1'000'000;  // preset pulses: one pair of lines each
// View lines and record-item lines beyond the ones used are read and
// ignored; a count asking for more than this many is refused.
inline constexpr int32_t kMaxIgnoredLines = 1'000'000;

struct FileResult {
    enum Code { ok, header_mismatch, unreadable, invalid, write_failed } code = ok;
    int line = 0;         // 1-based line of a load error; 0 when none applies
    std::string message;  // Chinese, ready to show
    // A loaded file whose time step or device delay the computation
    // settings would refuse (a step not in (0, 86400] seconds, a delay
    // below 1): the load succeeds with the reset values (0.001 s, 1) in
    // their place. The line of the first such value, 0 when none, and what
    // was wrong with each ("第 5 行的计算步长 0 不是……").
    int timing_line = 0;
    std::string timing_problem;
    // Drawing values outside what their dialogs offer or the canvas shows
    // (model/file_drawing.h): the load succeeds with the reset values in
    // their place, which change nothing a circuit computes. The line of the
    // first, 0 when none, and what was wrong with the first few
    // ("第 11 行的导线粗细 30000 不在 1～2 之间；……等").
    int drawing_line = 0;
    std::string drawing_problem;

    explicit operator bool() const { return code == ok; }
};

// Open's core: reads the file into a circuit of its own and, only when the
// whole file was read, makes it `c`'s circuit: `c` then holds what the
// circuit reset followed by a load would leave, with `file_name` set to
// `path` and `modified` cleared. What belongs to the program rather than to
// the file stays: the message callback, the chip table, the clocks, the
// hardware link, the selection. On failure `c` is left exactly as it was.
FileResult open_circuit(Circuit& c, const std::string& path);

// Replaces `c`'s circuit by the one loaded into `loaded` (which it empties):
// the reset of new_circuit, then the tables, settings, view and instrument
// items a file holds are moved over. Keeps what open_circuit keeps.
void adopt_loaded_circuit(Circuit& c, Circuit& loaded);

// Reads a file into the tables, which the caller has reset (new_circuit).
// Only regular files are read; a FIFO or a device is refused before any
// read. On failure the tables hold the records read completely before the
// faulty line; counts never exceed what was read or the capacities. The
// message names the file.
FileResult load_circuit(Circuit& c, const std::string& path);
// The same from the bytes of a file; messages name the line only. Bytes
// that are valid UTF-8 and hold text beyond ASCII are read as UTF-8 (a file
// re-saved by a text editor), all others as GBK.
FileResult load_circuit_bytes(Circuit& c, std::string_view bytes);

// Writes the circuit, settings and instrument items (GBK, CR LF) through a
// temporary file in the same folder renamed over the target. A read-only
// target is refused; a symbolic link is written through to the file it
// names, which is created when missing.
FileResult save_circuit(const Circuit& c, const std::string& path);
// The bytes a save writes; fails on text that cannot be stored.
FileResult circuit_bytes(const Circuit& c, std::string& out);

}  // namespace vorlisk
