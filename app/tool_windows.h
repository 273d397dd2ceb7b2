// Where the main window's tool windows (the truth table, the timing
// diagram, the emulated box) open: where the user last left them, when
// that is still on a screen; else beside the main window, or over a corner
// of its canvas when the screen has no room beside it (a maximised
// window). Never over the main window's menu bar and toolbar, which the
// user needs while the tool window is open. Their places are remembered
// between sessions with the view settings.
#pragma once

#include <QList>
#include <QRect>
#include <QString>

class QWidget;

namespace vorlisk {

// The corner of the canvas a tool window takes when there is no room beside
// the main window, and the end of the canvas's side it lines up with beside it.
enum class ToolCorner { top_right, bottom_right };

// The main window's parts, in screen coordinates.
struct MainWindowArea {
    QRect frame;   // the whole window with its title bar
    QRect menus;   // title bar, menu bar and toolbar: kept clear
    QRect canvas;  // the drawing area
    // What its frame adds to its client area: what a tool window's frame
    // will likely add before it has been shown (the system tells only then).
    QSize decoration;
};

// The frame rectangle a tool window opens in. `wanted` is its frame: where
// the user left it when `remembered`, else only its size counts. `screens`
// are the screens' available areas.
QRect tool_window_frame(QRect wanted, bool remembered, ToolCorner corner, const MainWindowArea& main,
                        const QList<QRect>& screens);

// Places `window` for its first showing (call before showing it: later
// calls leave it where it is) and remembers where it is each time it hides,
// under `key` of the view settings.
void place_tool_window(QWidget* window, const QString& key, ToolCorner corner, const MainWindowArea& main);

}  // namespace vorlisk
