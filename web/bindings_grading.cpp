// Grading a class in the page: the reference, one verdict per student's
// file, and the results as vorlisk-sim --expect prints them.
#include <emscripten.h>

#include "web/binding_io.h"
#include "web/grading.h"

using namespace vorlisk;
using namespace vorlisk::web;

namespace {
Grading& grading() {
    static Grading g;
    return g;
}
}  // namespace

extern "C" {

// A reference file: a circuit (`circuit` 1) or what vorlisk-sim printed.
// The result holds the reference as printed and, after a line "\f", what
// was said about it.
EMSCRIPTEN_KEEPALIVE int vorlisk_grade_reference(const char* bytes, int size, const char* name, int circuit) {
    Grading& g = grading();
    const bool ok = circuit ? g.set_reference_circuit(bytes_of(bytes, size), name, error_text())
                            : g.set_reference_text(bytes_of(bytes, size), name, error_text());
    hand_back(ok ? g.reference_text() + "\f" + g.reference_note() : std::string());
    return outcome(ok);
}

EMSCRIPTEN_KEEPALIVE void vorlisk_grade_clear() { grading().clear(); }

// One student's file: {pass, reason, fault, note}; `shown` is how the results name it.
EMSCRIPTEN_KEEPALIVE const char* vorlisk_grade_file(const char* bytes, int size, const char* name, const char* shown) {
    if (!grading().has_reference()) {
        Json j;
        return hand_back(j.object().field("pass", false).field("fault", "请先选择参考答案。").end_object());
    }
    const sim::Verdict& v = grading().grade(bytes_of(bytes, size), name, shown);
    Json j;
    j.object().field("pass", v.pass).field("reason", v.reason).field("fault", v.fault).field("note", v.note);
    return hand_back(j.end_object());
}

// The results: CSV (1) or tab-separated (0), as --expect prints them.
EMSCRIPTEN_KEEPALIVE void vorlisk_grade_report(int csv) {
    hand_back(grading().report(csv ? sim::Format::csv : sim::Format::tsv));
}

}  // extern "C"
