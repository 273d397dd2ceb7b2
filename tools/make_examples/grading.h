// The grading lesson shipped in "例子/批改实验": a teacher's reference full
// adder and three students' homework, one right (built differently), one
// wrong, one right with its parts placed in another order.
#pragma once

#include <vector>

#include "tools/make_examples/examples.h"

namespace vorlisk::examples {

// File names are relative to the examples folder.
const std::vector<Example>& grading_examples();

}  // namespace vorlisk::examples
