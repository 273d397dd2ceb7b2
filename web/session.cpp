#include "web/session.h"

#include <cstdio>
#include <fstream>

#include "model/circuit_file.h"
#include "tools/vorlisk_sim/files.h"

namespace vorlisk::web {

std::string file_name_of(const std::string& name) {
    const size_t slash = name.find_last_of("/\\");
    std::string base = slash == std::string::npos ? name : name.substr(slash + 1);
    if (base.empty() || base == "." || base == "..") base = "电路.vlk";
    return base;
}

Session::Session() : bench_(std::make_unique<sim::Bench>()), document_(make_circuit()) {}

bool Session::open(std::string_view bytes, const std::string& name, std::string& error) {
    // The loader reads files: the bytes become one, in the page's own
    // memory, under the name the messages give.
    const std::string path = file_name_of(name);
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), std::streamsize(bytes.size()));
        if (!out.flush()) {
            error = "内存不足，无法打开“" + path + "”。";
            std::remove(path.c_str());
            return false;
        }
    }
    auto bench = std::make_unique<sim::Bench>();
    auto document = make_circuit();
    const bool ok = bench->load(path, sim::RunSetup{}, error);
    FileResult opened;
    if (ok) opened = open_circuit(*document, path);
    std::remove(path.c_str());
    if (!ok) return false;
    if (!opened) {
        error = opened.message;
        return false;
    }
    bench_ = std::move(bench);
    document_ = std::move(document);
    signals_ = sim::find_signals(bench_->circuit());
    readings_.clear();
    open_ = true;
    return true;
}

bool Session::set(const std::string& name, int level, std::string& error) {
    if (!open_) {
        error = "还没有打开电路。";
        return false;
    }
    if (level != 0 && level != 1) {
        error = "“" + name + "”的电平只能是 0 或 1。";
        return false;
    }
    std::vector<std::pair<int, int>> levels;
    if (!sim::apply_sets(bench_->circuit(), signals_, {{name, level}}, levels, error)) return false;
    // The same file opened twice: the switch has the same place in both.
    for (auto [object, l] : levels) document_->objects[object].param_int[0] = l;
    document_->modified = true;
    return true;
}

std::vector<std::pair<std::string, int>> Session::switches() const {
    std::vector<std::pair<std::string, int>> v;
    if (!open_) return v;
    for (const sim::SwitchSignal& s : signals_.switches)
        v.emplace_back(s.name, bench_->circuit().objects[s.object].param_int[0] ? 1 : 0);
    return v;
}

bool Session::run(long long passes, std::string& error) {
    if (!open_) {
        error = "还没有打开电路。";
        return false;
    }
    if (passes < 0) {
        error = "运算次数不能是负数。";
        return false;
    }
    const sim::RowResult r = sim::run_row(*bench_, {}, 0, signals_.test_points, passes);
    readings_.clear();
    for (size_t k = 0; k < signals_.test_points.size(); ++k)
        readings_.emplace_back(signals_.test_points[k].name, int(r.values[k]));
    return true;
}

bool Session::save(std::string& bytes, std::string& error) const {
    if (!open_) {
        error = "还没有打开电路。";
        return false;
    }
    const FileResult r = circuit_bytes(*document_, bytes);
    if (!r) error = r.message;
    return bool(r);
}

}  // namespace vorlisk::web
