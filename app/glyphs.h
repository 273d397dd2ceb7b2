// Button pictures of the toolbar and the component box, made by the program
// itself: toolbar glyphs are drawn by hand, and every component button shows
// its component as the canvas draws it, fitted to the button. Each icon is
// painted at the pixels of the screen that shows it (ratio 1, 2 or the
// screens' own), so a high-density screen gets sharp lines and text.
#pragma once

#include <QIcon>
#include <string_view>

namespace vorlisk {

struct Circuit;
struct Pictures;

enum class ToolGlyph {
    new_file, open, save, print, cut, copy, paste, table, trace, run, stop,
    rotate_left, rotate_right, manual, undo, redo,
    select, wire, junction, test_point,
};

QIcon tool_glyph(ToolGlyph g);

// The component of `kind` drawn by the canvas drawers on a scratch circuit
// (which this places into and empties again), fitted into size x size.
QIcon kind_glyph(Circuit& scratch, const Pictures& pictures, std::string_view kind, int size);

}  // namespace vorlisk
