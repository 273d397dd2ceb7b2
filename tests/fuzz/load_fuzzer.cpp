// Fuzz target of the circuit loader: any bytes must load or fail cleanly,
// and whatever loads must save to bytes that load and save to themselves.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/circuit.h"
#include "model/circuit_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vorlisk;
    static Circuit& first = *make_circuit().release();  // large: made once, reset per input
    static Circuit& second = *make_circuit().release();

    new_circuit(first);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (!load_circuit_bytes(first, bytes)) return 0;

    std::string saved;
    if (FileResult r = circuit_bytes(first, saved); !r) {
        // A loaded circuit holds only what a file can hold: the loader
        // refuses whatever a save would refuse.
        std::fprintf(stderr, "loaded circuit does not save: %s\n", r.message.c_str());
        std::abort();
    }
    new_circuit(second);
    if (FileResult r = load_circuit_bytes(second, saved); !r) {
        std::fprintf(stderr, "saved bytes do not load: %s\n", r.message.c_str());
        std::abort();
    }
    std::string again;
    if (!circuit_bytes(second, again) || again != saved) {
        std::fprintf(stderr, "second save differs from the first\n");
        std::abort();
    }
    return 0;
}
