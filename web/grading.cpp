#include "web/grading.h"

#include <cstdio>
#include <fstream>

#include "tools/vorlisk_sim/bench.h"
#include "tools/vorlisk_sim/tables.h"
#include "web/session.h"

namespace vorlisk::web {

namespace {

// The runner reads files: the bytes become one in the page's memory for
// as long as `use` runs.
template <class Use>
auto with_file(std::string_view bytes, const std::string& name, Use use) {
    const std::string path = file_name_of(name);
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), std::streamsize(bytes.size()));
    }
    auto result = use(path);
    std::remove(path.c_str());
    return result;
}

}  // namespace

bool Grading::set_reference_text(std::string_view text, const std::string& name, std::string& error) {
    auto ref = sim::parse_reference(text, error);
    if (!ref) {
        error = file_name_of(name) + "：" + error;
        return false;
    }
    reference_ = std::move(*ref);
    reference_text_ = std::string(text);
    reference_note_.clear();
    has_reference_ = true;
    clear();
    return true;
}

bool Grading::set_reference_circuit(std::string_view bytes, const std::string& name, std::string& error) {
    std::string text, note;
    const bool ok = with_file(bytes, name, [&](const std::string& path) {
        // As `vorlisk-sim FILE --truth-table` runs it.
        const sim::Options opt;
        const sim::RunSetup setup;
        sim::Bench bench;
        if (!bench.load(path, setup, error)) return false;
        note = bench.load_note();
        const sim::Signals signals = sim::find_signals(bench.circuit());
        sim::RowJob job{path, setup, {}, {}, {}, sim::table_outputs(signals, opt), sim::default_row_passes(bench.circuit())};
        std::vector<std::string> inputs;
        if (!sim::table_inputs(signals, job.switches, inputs, error)) return false;
        for (uint32_t row = 0; row < (1u << job.switches.size()); ++row) job.codes.push_back(row);
        const std::vector<sim::RowResult> rows = sim::run_rows(job, bench, 1, false);
        std::string unsettled;
        text = sim::truth_table_text(opt, inputs, job.readings, rows, job.passes, unsettled);
        if (!unsettled.empty()) note += (note.empty() ? "" : "\n") + unsettled;
        return true;
    });
    if (!ok) return false;
    if (!set_reference_text(text, name, error)) return false;
    reference_note_ = note;
    return true;
}

void Grading::clear() {
    names_.clear();
    verdicts_.clear();
}

const sim::Verdict& Grading::grade(std::string_view bytes, const std::string& name, const std::string& shown_name) {
    sim::Verdict v = with_file(bytes, name, [&](const std::string& path) {
        try {
            return sim::check_file(path, reference_, sim::Options{}, 1);
        } catch (const std::exception& e) {
            return sim::failed(e.what());
        }
    });
    names_.push_back(shown_name);
    verdicts_.push_back(std::move(v));
    return verdicts_.back();
}

std::string Grading::report(sim::Format format) const {
    size_t passed = 0;
    return sim::grading_report(names_, verdicts_, format, passed);
}

}  // namespace vorlisk::web
