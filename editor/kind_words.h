// Words in a record's name that tell which commands apply to it. Names
// start with their kind, and the kinds are chosen so these tests hold.
#pragma once

#include <array>
#include <iterator>
#include <string_view>

#include "chips/chip_table.h"
#include "model/circuit.h"

namespace vorlisk {

// Components that carry their own look (border, fill, font colour, bold):
// the drawing-settings command restyles them, and the context menu offers
// it when one of them is selected.
inline constexpr std::array<std::string_view, 9> kOwnLookWords = {
    "门", "触发器", "加器", "电平", "脉冲", "发光二极管", "数码管", "器件", "集成芯片",
};

// Items with a properties dialog of their own ("属性"), by the word in
// their name; the first word a name contains decides the dialog.
inline constexpr std::array<std::string_view, 5> kPropertiesWords = {
    "数码管BCD测点", "检测点", "发光二极管测点", "脉冲", "注释",
};

// The dialog "属性" opens for an item, in the order of kPropertiesWords,
// then the one-shot chips with their pulse widths.
enum class PropertiesDialog { none, display_probe, test_point, led_probe, pulse, annotation, one_shot };
inline PropertiesDialog properties_dialog(std::string_view name) {
    constexpr PropertiesDialog kByWord[] = {PropertiesDialog::display_probe, PropertiesDialog::test_point,
                                            PropertiesDialog::led_probe, PropertiesDialog::pulse,
                                            PropertiesDialog::annotation};
    static_assert(std::size(kByWord) == kPropertiesWords.size());
    for (size_t k = 0; k < kPropertiesWords.size(); ++k)
        if (contains(name, kPropertiesWords[k])) return kByWord[k];
    if (contains(name, "集成芯片") && one_shot_sections(chip_type_of(name)) > 0) return PropertiesDialog::one_shot;
    return PropertiesDialog::none;
}

inline bool has_properties(std::string_view name) { return properties_dialog(name) != PropertiesDialog::none; }

// Components that also carry a lit and an unlit colour.
inline constexpr std::array<std::string_view, 2> kLampWords = {"发光二极管", "数码管"};

inline bool has_own_look(std::string_view name) {
    for (std::string_view w : kOwnLookWords)
        if (contains(name, w)) return true;
    return false;
}

inline bool is_lamp(std::string_view name) {
    for (std::string_view w : kLampWords)
        if (contains(name, w)) return true;
    return false;
}

}  // namespace vorlisk
