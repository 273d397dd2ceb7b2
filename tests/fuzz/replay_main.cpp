// Replays every file under a folder through the fuzz target, so that the
// corpus and the crash regressions run as an ordinary test.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    std::error_code ec;
    int ran = 0;
    for (fs::recursive_directory_iterator it(argv[1], ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file()) continue;
        std::ifstream file(it->path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        ++ran;
    }
    if (ec) {
        std::fprintf(stderr, "cannot read %s: %s\n", argv[1], ec.message().c_str());
        return 1;
    }
    std::printf("replayed %d inputs\n", ran);
    return ran > 0 ? 0 : 1;
}
