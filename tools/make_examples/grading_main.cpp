// make_grading_examples [FOLDER]: writes the grading lesson's reference and
// homework circuits into FOLDER (default: the examples folder of the
// source tree), under 批改实验/.
#include <filesystem>
#include <iostream>

#include "model/circuit_file.h"
#include "tools/make_examples/grading.h"

int main(int argc, char** argv) {
    using namespace vorlisk;
    const std::filesystem::path folder = argc > 1 ? argv[1] : "examples";
    auto c = make_circuit();
    int written = 0;
    for (const examples::Example& e : examples::grading_examples()) {
        const std::filesystem::path path = folder / e.file;
        std::filesystem::create_directories(path.parent_path());
        new_circuit(*c);
        e.build(*c);
        c->modified = false;
        FileResult r = save_circuit(*c, path.string());
        if (!r) {
            std::cerr << e.file << ": " << r.message << '\n';
            return 1;
        }
        ++written;
    }
    std::cout << written << " grading circuits written to " << folder.string() << '\n';
    return 0;
}
