// make_examples [FOLDER]: writes every example circuit into FOLDER
// (default: the examples folder of the source tree) and lists what would
// make one hard to read on screen; such faults make the exit code 1.
#include <filesystem>
#include <iostream>

#include "model/circuit_file.h"
#include "tools/make_examples/examples.h"
#include "tools/make_examples/layout_check.h"

int main(int argc, char** argv) {
    using namespace vorlisk;
    std::filesystem::path folder = argc > 1 ? argv[1] : "examples";
    std::filesystem::create_directories(folder);
    auto c = make_circuit();
    int written = 0, faults = 0;
    for (const examples::Example& e : examples::all_examples()) {
        new_circuit(*c);
        e.build(*c);
        c->modified = false;
        FileResult r = save_circuit(*c, (folder / e.file).string());
        if (!r) {
            std::cerr << e.file << ": " << r.message << '\n';
            return 1;
        }
        ++written;
        for (const std::string& f : examples::layout_faults(*c, examples::kScreenWidth, examples::kScreenHeight)) {
            std::cerr << e.file << ": " << f << '\n';
            ++faults;
        }
    }
    std::cout << written << " example circuits written to " << folder.string() << '\n';
    return faults == 0 ? 0 : 1;
}
