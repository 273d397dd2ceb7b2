#include "tools/vorlisk_sim/vcd.h"

#include <cmath>

namespace vorlisk::sim {

std::pair<std::string, uint64_t> vcd_timescale(double step) {
    static const struct {
        const char* text;
        double seconds;
    } units[] = {{"1 s", 1},       {"100 ms", 1e-1}, {"10 ms", 1e-2}, {"1 ms", 1e-3}, {"100 us", 1e-4},
                 {"10 us", 1e-5},  {"1 us", 1e-6},   {"100 ns", 1e-7}, {"10 ns", 1e-8}, {"1 ns", 1e-9},
                 {"100 ps", 1e-10}, {"10 ps", 1e-11}, {"1 ps", 1e-12}, {"100 fs", 1e-13}, {"10 fs", 1e-14},
                 {"1 fs", 1e-15}};
    for (const auto& u : units) {
        double ticks = step / u.seconds;
        double whole = std::round(ticks);
        if (whole >= 1 && std::fabs(ticks - whole) <= 1e-9 * whole) return {u.text, uint64_t(whole)};
    }
    return {"1 fs", uint64_t(std::max(1.0, std::round(step / 1e-15)))};
}

namespace {
std::string identifier(size_t n) {
    std::string id;
    do {
        id += char('!' + n % 94);
        n /= 94;
    } while (n > 0);
    return id;
}

std::string reference(std::string label) {
    for (char& ch : label)
        if (ch == ' ' || ch == '\t') ch = '_';
    return label.empty() ? "_" : label;
}
}  // namespace

bool VcdWriter::open(const std::string& path, double step, const std::vector<std::string>& labels) {
    out_.open(path, std::ios::binary | std::ios::trunc);
    if (!out_) return false;
    auto [unit, ticks] = vcd_timescale(step);
    ticks_per_pass_ = ticks;
    out_ << "$version vorlisk-sim $end\n$timescale " << unit << " $end\n$scope module circuit $end\n";
    for (size_t i = 0; i < labels.size(); ++i) {
        ids_.push_back(identifier(i));
        out_ << "$var wire 1 " << ids_.back() << ' ' << reference(labels[i]) << " $end\n";
    }
    out_ << "$upscope $end\n$enddefinitions $end\n#0\n$dumpvars\n";
    for (const std::string& id : ids_) out_ << 'x' << id << '\n';
    out_ << "$end\n";
    last_.assign(labels.size(), -1);
    return bool(out_);
}

void VcdWriter::sample(uint64_t pass, const std::vector<bool>& levels) {
    bool stamped = false;
    for (size_t i = 0; i < levels.size() && i < ids_.size(); ++i) {
        int v = levels[i] ? 1 : 0;
        if (v == last_[i]) continue;
        if (!stamped) out_ << '#' << pass * ticks_per_pass_ << '\n', stamped = true;
        out_ << v << ids_[i] << '\n';
        last_[i] = v;
    }
}

bool VcdWriter::close(uint64_t pass) {
    out_ << '#' << pass * ticks_per_pass_ << '\n';
    out_.flush();
    bool ok = bool(out_);
    out_.close();
    return ok;
}

}  // namespace vorlisk::sim
