// A circuit's picture written without a display, for vorlisk-sim. The
// interface is free of Qt: the runner links this only where the desktop
// program is built, and starts Qt (offscreen) only when a picture is asked.
#pragma once

#include <string>

namespace vorlisk {

struct Circuit;

// Writes the whole circuit as .svg or .png at `scale` output pixels per
// canvas pixel, package pin numbers shown; false with a message in Chinese.
bool write_picture_headless(const Circuit& c, const std::string& path, double scale, std::string& error);

}  // namespace vorlisk
