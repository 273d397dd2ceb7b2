// Fields of the tables the instruments and vorlisk-sim hand out: CSV for
// spreadsheets (UTF-8 with a byte-order mark, so the Chinese labels show)
// and tab-separated text for pasting.
#pragma once

#include <string>
#include <string_view>

namespace vorlisk {

inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Quoted when it holds a comma, a quote or a line break.
std::string csv_field(std::string_view s);
// A tab or line break inside a label would split the row: made blanks.
std::string tsv_field(std::string_view s);

}  // namespace vorlisk
