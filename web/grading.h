// Grading in the page, with vorlisk-sim's own code: a reference (what
// vorlisk-sim printed for the model solution, or the model solution's
// circuit, whose truth table over its switches is then the reference) and
// one verdict per student's file, as `vorlisk-sim --expect` gives them.
// The files are read from the page's memory and never leave it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/vorlisk_sim/grading.h"
#include "tools/vorlisk_sim/reference.h"

namespace vorlisk::web {

class Grading {
public:
    // A printed reference (tab-separated or CSV); false with the message
    // naming the file and the line.
    bool set_reference_text(std::string_view text, const std::string& name, std::string& error);
    // A model solution's circuit: the truth table `vorlisk-sim --truth-table`
    // prints for it becomes the reference.
    bool set_reference_circuit(std::string_view bytes, const std::string& name, std::string& error);
    bool has_reference() const { return has_reference_; }
    // The reference as printed, and what was said about it (readings that
    // did not settle, values the load put right).
    const std::string& reference_text() const { return reference_text_; }
    const std::string& reference_note() const { return reference_note_; }

    // Forgets the verdicts of earlier files.
    void clear();
    // Checks one student's file, shown as `shown_name` in the results.
    const sim::Verdict& grade(std::string_view bytes, const std::string& name, const std::string& shown_name);
    // The results as --expect prints them: tab-separated or CSV.
    std::string report(sim::Format format) const;

private:
    sim::Reference reference_;
    bool has_reference_ = false;
    std::string reference_text_, reference_note_;
    std::vector<std::string> names_;
    std::vector<sim::Verdict> verdicts_;
};

}  // namespace vorlisk::web
