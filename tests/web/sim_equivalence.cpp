// vorlisk-sim compiled for node against the desktop build's, on every
// example and on generated circuits: the same readings, LEDs, displays and
// lamps at the end and the same test-point levels in every pass (the Value
// Change Dump), the same messages and exit codes.
// Usage: sim_equivalence NATIVE_SIM NODE NODE_SIM_JS EXAMPLES_DIR
// Exit 77 (skipped) when node or the browser build's vorlisk-sim is missing.
// sim_equivalence --bench-circuits DIR writes the full-size inverter chain
// and ripple counter there, for bench/web_pass_rate.sh, and the canvas's
// 999 components for bench/web_canvas_redraw.py.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/canvas_circuit.h"
#include "bench/generated_circuit.h"
#include "bench/lab_circuits.h"
#include "model/circuit_file.h"
#include "tests/support/sim_process.h"
#include "tests/support/capabilities.h"

namespace fs = std::filesystem;
using vorlisk::test::run_program;
using vorlisk::test::SimResult;

namespace {

constexpr int kRandomCircuits = 50;
constexpr const char* kPasses = "300";

std::string read_file(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// The generated circuits: gates wired at random (of several sizes), and the
// benchmark's inverter chain, ripple counter and toggling gates.
std::vector<fs::path> write_generated(const fs::path& dir) {
    std::vector<fs::path> files;
    auto c = vorlisk::make_circuit();
    auto save = [&](const std::string& name) {
        const fs::path p = dir / (name + ".vlk");
        if (const vorlisk::FileResult r = vorlisk::save_circuit(*c, p.string()); !r) {
            std::fprintf(stderr, "%s\n", r.message.c_str());
            std::exit(1);
        }
        files.push_back(p);
    };
    for (int seed = 1; seed <= kRandomCircuits; ++seed) {
        vorlisk::bench::build_gate_circuit(*c, 5 + seed * 37 % 300, unsigned(seed));
        save("gates_" + std::to_string(seed));
    }
    vorlisk::bench::build_inverter_chain(*c, 200);
    save("inverter_chain");
    vorlisk::bench::build_ripple_counter(*c);
    save("ripple_counter");
    vorlisk::bench::build_toggling_gates(*c, 200);
    save("toggling_gates");
    return files;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--bench-circuits") {
        auto c = vorlisk::make_circuit();
        vorlisk::bench::build_inverter_chain(*c);
        const bool chain = bool(vorlisk::save_circuit(*c, (fs::path(argv[2]) / "inverter_chain.vlk").string()));
        vorlisk::bench::build_ripple_counter(*c);
        const bool counter = bool(vorlisk::save_circuit(*c, (fs::path(argv[2]) / "ripple_counter.vlk").string()));
        auto grid = vorlisk::make_circuit();
        vorlisk::bench::build_canvas_grid(*grid);
        const bool canvas = bool(vorlisk::save_circuit(*grid, (fs::path(argv[2]) / "canvas_999.vlk").string()));
        return chain && counter && canvas ? 0 : 1;
    }
    if (argc != 5) {
        std::fprintf(stderr, "usage: sim_equivalence NATIVE_SIM NODE NODE_SIM_JS EXAMPLES_DIR\n");
        return 2;
    }
    const std::string native = argv[1], node = argv[2], node_sim = argv[3];
    if (node.empty() || !fs::exists(node) || !fs::exists(node_sim)) {
        std::printf("skipped: needs node and the browser build's vorlisk-sim (%s): run tools/build_web.sh\n",
                    node_sim.c_str());
        return 77;
    }
    const fs::path dir = fs::temp_directory_path() / ("vorlisk_equivalence_" + vorlisk::test::process_tag());
    fs::create_directories(dir);
    std::vector<fs::path> files = write_generated(dir);
    for (const auto& e : fs::recursive_directory_iterator(argv[4]))
        if (e.path().extension() == ".vlk") files.push_back(e.path());

    int differ = 0;
    for (const fs::path& file : files) {
        // One run each: the readings with every indicator and the lamps on
        // standard output, every pass's test points into the dump.
        auto run = [&](const std::string& program, std::vector<std::string> prefix, const fs::path& vcd) {
            std::vector<std::string> args = std::move(prefix);
            for (const std::string a : {file.string(), std::string("--passes"), std::string(kPasses),
                                        std::string("--indicators"), std::string("--box-out"), std::string("--vcd"),
                                        vcd.string()})
                args.push_back(a);
            SimResult r = run_program(program, args);
            r.out += "\n--- dump ---\n" + read_file(vcd);
            fs::remove(vcd);
            return r;
        };
        const SimResult a = run(native, {}, dir / "native.vcd");
        const SimResult b = run(node, {"--no-experimental-fetch", node_sim}, dir / "node.vcd");
        if (a.code != b.code || a.out != b.out || a.err != b.err) {
            ++differ;
            std::printf("DIFFERENT: %s\n  native: exit %d, %zu bytes out, %s\n  node:   exit %d, %zu bytes out, %s\n",
                        file.c_str(), a.code, a.out.size(), a.err.c_str(), b.code, b.out.size(), b.err.c_str());
        }
    }
    fs::remove_all(dir);
    std::printf("%zu circuits (%d generated): %zu the same under node, %d different\n", files.size(),
                kRandomCircuits + 3, files.size() - size_t(differ), differ);
    return differ == 0 && files.size() > size_t(kRandomCircuits + 3) ? 0 : 1;
}
