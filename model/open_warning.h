// What Open says about a file it opened with reset values in place of
// timing or drawing values no dialog would accept (FileResult's
// timing_line and drawing_line): one warning, the same in the window and
// in the browser page.
#pragma once

#include <string>
#include <string_view>

#include "model/circuit_file.h"

namespace vorlisk {

// Empty when the file needed no reset value; `path` as the user knows the file.
std::string reset_values_warning(const FileResult& r, std::string_view path);

}  // namespace vorlisk
