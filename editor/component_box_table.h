// The component box: its buttons row by row (left, then right) and the
// families that share one button, as one table for the desktop's box and
// the browser page's. The windows add only their looks.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vorlisk {

// Families that share one button of the component box.
enum class KindGroup { and_, or_, nand_, nor_, rs, d, sources, leds, displays };
constexpr int kKindGroupCount = 9;

enum class BoxRole { select, tool, group, chip_page, hidden };

struct BoxButton {
    const char* object_name;
    BoxRole role;
    // The tool a click chooses (BoxRole::tool), or the kind the button shows.
    const char* tool;
    int arg;  // KindGroup, or the chip chooser's page
    // The right button does not fall back to the select tool on it.
    bool right_ignored;
};

struct BoxFamily {
    KindGroup group;
    const char* family;  // what the family is called where it is named as a whole
    std::vector<const char*> kinds;  // left to right
};

std::span<const BoxButton> box_buttons();
const BoxFamily& box_family(KindGroup g);

// The family's name and every kind in it, as its button's tip and its
// window show it: "信号源：高低电平控制器、连续脉冲、可置数脉冲".
std::string family_caption_text(KindGroup g);

}  // namespace vorlisk
