#include "instruments/vcd.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <ostream>

namespace vorlisk {

std::optional<std::pair<VcdTimescale, uint64_t>> vcd_timescale(double step) {
    static constexpr struct {
        const char* text;
        double seconds;
    } units[] = {{"1 s", 1},       {"100 ms", 1e-1}, {"10 ms", 1e-2}, {"1 ms", 1e-3}, {"100 us", 1e-4},
                 {"10 us", 1e-5},  {"1 us", 1e-6},   {"100 ns", 1e-7}, {"10 ns", 1e-8}, {"1 ns", 1e-9},
                 {"100 ps", 1e-10}, {"10 ps", 1e-11}, {"1 ps", 1e-12}, {"100 fs", 1e-13}, {"10 fs", 1e-14},
                 {"1 fs", 1e-15}};
    if (!std::isfinite(step) || !(step > 0)) return std::nullopt;
    for (const auto& u : units) {
        const double ticks = step / u.seconds;
        // Compared as doubles before converting: the conversion of a value
        // beyond 64 bits is undefined.
        if (ticks > double(kVcdMaxTicks)) return std::nullopt;
        const double whole = std::round(ticks);
        if (whole >= 1 && std::fabs(ticks - whole) <= 1e-9 * whole)
            return std::pair{VcdTimescale{u.text, u.seconds}, uint64_t(whole)};
    }
    return std::nullopt;
}

std::optional<uint64_t> vcd_ticks(double seconds, const VcdTimescale& unit) {
    const double ticks = std::round(seconds / unit.seconds);
    if (!std::isfinite(ticks) || ticks < 0 || ticks > double(kVcdMaxTicks)) return std::nullopt;
    return uint64_t(ticks);
}

char vcd_level(double value) {
    if (value > 2.0) return '1';
    if (value > -0.1 && value < 2.0) return '0';
    return 'x';
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

std::string reference(std::string name) {
    for (char& ch : name)
        if (ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n') ch = '_';
    return name.empty() ? "_" : name;
}
}  // namespace

void VcdWriter::begin(std::ostream& out, std::string_view version, const VcdTimescale& unit,
                      const std::vector<std::string>& names, std::string_view comment) {
    out_ = &out;
    ids_.clear();
    out << "$version " << version << " $end\n";
    if (!comment.empty()) out << "$comment " << comment << " $end\n";
    out << "$timescale " << unit.text << " $end\n$scope module circuit $end\n";
    // GTKWave shows one of two wires with the same reference only.
    std::map<std::string, int> seen;
    for (size_t i = 0; i < names.size(); ++i) {
        std::string ref = reference(names[i]);
        if (int n = ++seen[ref]; n > 1) ref += '_' + std::to_string(n);
        ids_.push_back(identifier(i));
        out << "$var wire 1 " << ids_.back() << ' ' << ref << " $end\n";
    }
    out << "$upscope $end\n$enddefinitions $end\n#0\n$dumpvars\n";
    for (const std::string& id : ids_) out << 'x' << id << '\n';
    out << "$end\n";
    last_.assign(names.size(), 'x');
    last_tick_ = 0;
    stamped_ = true;
}

bool VcdWriter::open(const std::string& path, SpecialFiles special, std::string_view version,
                     const VcdTimescale& unit, const std::vector<std::string>& names, std::string& why) {
    file_ = std::make_unique<OutputFile>();
    if (!file_->open(path, special, why)) {
        file_.reset();
        return false;
    }
    begin(file_->stream(), version, unit, names);
    return true;
}

void VcdWriter::sample(uint64_t tick, const std::vector<char>& levels) {
    if (tick != last_tick_) stamped_ = false;
    last_tick_ = std::max(last_tick_, tick);
    for (size_t i = 0; i < levels.size() && i < ids_.size(); ++i) {
        if (levels[i] == last_[i]) continue;
        if (!stamped_) *out_ << '#' << last_tick_ << '\n', stamped_ = true;
        *out_ << levels[i] << ids_[i] << '\n';
        last_[i] = levels[i];
    }
}

bool VcdWriter::close(uint64_t tick, std::string* why) {
    if (!out_) return false;
    if (tick > last_tick_ || !stamped_) *out_ << '#' << std::max(tick, last_tick_) << '\n';
    out_->flush();
    bool ok = bool(*out_);
    out_ = nullptr;
    if (file_) {
        std::string reason;
        ok = file_->commit(reason) && ok;
        if (why) *why = reason;
        file_.reset();
    }
    return ok;
}

}  // namespace vorlisk
