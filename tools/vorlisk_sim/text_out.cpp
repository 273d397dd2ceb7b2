#include "tools/vorlisk_sim/text_out.h"

#include <algorithm>
#include <cstdio>

#include "instruments/text_fields.h"

namespace vorlisk::sim {

namespace {

// One CSV record from `pos` on; a quoted field may hold line breaks.
std::vector<std::string> split_csv_record(std::string_view text, size_t& pos) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (; pos < text.size(); ++pos) {
        const char ch = text[pos];
        if (quoted) {
            if (ch == '"' && pos + 1 < text.size() && text[pos + 1] == '"') fields.back() += '"', ++pos;
            else if (ch == '"') quoted = false;
            else fields.back() += ch;
        } else if (ch == '"') {
            quoted = true;
        } else if (ch == ',') {
            fields.emplace_back();
        } else if (ch == '\n') {
            ++pos;
            break;
        } else if (ch != '\r') {
            fields.back() += ch;
        }
    }
    return fields;
}

}  // namespace

void TextTable::line(const std::vector<std::string>& fields) {
    const bool csv = format_ == Format::csv;
    if (csv && text_.empty()) text_ += kByteOrderMark;
    for (size_t k = 0; k < fields.size(); ++k) {
        if (k) text_ += csv ? ',' : '\t';
        text_ += csv ? csv_field(fields[k]) : tsv_field(fields[k]);
    }
    text_ += csv ? "\r\n" : "\n";
}

std::string one_line(std::string_view text) {
    std::string out;
    for (char ch : text) {
        const auto u = static_cast<unsigned char>(ch);
        if (ch == '\n') out += "\\n";
        else if (ch == '\r') out += "\\r";
        else if (ch == '\t') out += "\\t";
        else if (u < 0x20 || u == 0x7f) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02x", u);
            out += buf;
        } else out += ch;
    }
    return out;
}

std::vector<std::vector<std::string>> split_table(std::string_view text, std::vector<size_t>* line_numbers) {
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    const std::string_view first = text.substr(0, text.find('\n'));
    const bool tabs = first.find('\t') != std::string_view::npos || first.find(',') == std::string_view::npos;
    std::vector<std::vector<std::string>> lines;
    size_t pos = 0, line = 1, counted = 0;  // newlines counted up to `counted`
    while (pos < text.size()) {
        line += size_t(std::count(text.begin() + counted, text.begin() + pos, '\n'));
        counted = pos;
        const size_t record_line = line;
        std::vector<std::string> fields;
        if (tabs) {
            size_t end = text.find('\n', pos);
            if (end == std::string_view::npos) end = text.size();
            std::string_view line = text.substr(pos, end - pos);
            pos = end + 1;
            if (line.ends_with('\r')) line.remove_suffix(1);
            if (line.empty()) continue;
            for (size_t start = 0;;) {
                const size_t tab = line.find('\t', start);
                fields.emplace_back(line.substr(start, tab - start));
                if (tab == std::string_view::npos) break;
                start = tab + 1;
            }
        } else {
            fields = split_csv_record(text, pos);
            if (fields.size() == 1 && fields[0].empty()) continue;
        }
        lines.push_back(std::move(fields));
        if (line_numbers) line_numbers->push_back(record_line);
    }
    return lines;
}

}  // namespace vorlisk::sim
