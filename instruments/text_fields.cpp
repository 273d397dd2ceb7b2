#include "instruments/text_fields.h"

namespace vorlisk {

std::string csv_field(std::string_view s) {
    if (s.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(s);
    std::string q = "\"";
    for (char ch : s) q += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return q + '"';
}

std::string tsv_field(std::string_view s) {
    std::string f(s);
    for (char& ch : f)
        if (ch == '\t' || ch == '\r' || ch == '\n') ch = ' ';
    return f;
}

}  // namespace vorlisk
