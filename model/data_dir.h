// Where the example circuits and the manual lie. In a build folder they are
// beside the programs; an installed program keeps them in the shared data
// folder of its prefix (/usr/share/vorlisk beside /usr/bin), where the
// package puts them. Both programs look them up here, so they agree.
#pragma once

#include <filesystem>
#include <string_view>

namespace vorlisk {

inline constexpr std::string_view kExamplesFolder = "例子";
inline constexpr std::string_view kManualFile = "手册/用户手册.html";

// The folder holding "例子" and "手册" for a program in `program_dir`: the
// program's own folder when the examples are there, else the installed data
// folder when they are there, else the program's own folder (so that a
// message about a missing file names the place a build puts it).
std::filesystem::path data_dir(const std::filesystem::path& program_dir);

// The folder of the running program's file; empty when the system does not say.
std::filesystem::path program_dir();

}  // namespace vorlisk
