#include "editor/chip_pages.h"

#include <algorithm>
#include <cctype>

#include "chips/chip_table.h"

namespace vorlisk {

namespace {

const ChipPage kPages[kChipPages] = {
    {"组合逻辑芯片", "组合逻辑", 0xC8FFFF,  // light yellow
     {"74LS00", "74LS01", "74LS02", "74LS04", "74LS05", "74LS08", "74LS09", "74LS10", "74LS11", "74LS12",
      "74LS15", "74LS20", "74LS22", "74LS27", "74LS30", "74LS32", "74LS40", "74LS42", "74LS47", "74LS48",
      "74LS49", "74LS51", "74LS54", "74LS55", "74LS64", "74LS83", "74LS85", "74LS86", "74LS126", "74LS132",
      "74LS133", "74LS136", "74LS138", "74LS148", "74LS151", "74LS153", "74LS155", "74LS156", "74LS157",
      "74LS249", "74LS260", "74LS248", "CD4001", "CD4011", "CD4012", "CD4030", "CD4069", "CD4070", "CD4071",
      "CD4081", "CD4082", "CD40106"}},
    {"时序逻辑芯片", "时序逻辑", 0xC8FFC8,  // light green
     {"74LS74", "74LS75", "74LS76", "74LS90", "74LS93", "74LS109", "74LS112", "74LS121", "74LS122",
      "74LS123", "74LS160", "74LS161", "74LS162", "74LS163", "74LS174", "74LS175", "74LS190", "74LS192",
      "74LS193", "74LS194", "74LS221", "74LS273", "74LS290", "74LS293", "74LS373"}},
};

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

char lower(char ch) { return char(std::tolower(static_cast<unsigned char>(ch))); }

}  // namespace

const ChipPage& chip_page(int page) { return kPages[page == 1 ? 1 : 0]; }

std::string chip_entry_text(std::string_view type) {
    std::string text(type);
    const std::string_view function = chip_function(type);
    if (!function.empty()) text += ' ' + std::string(function);
    return text;
}

bool chip_entry_matches(std::string_view entry, std::string_view typed) {
    const std::string_view wanted = trimmed(typed);
    return std::search(entry.begin(), entry.end(), wanted.begin(), wanted.end(),
                       [](char a, char b) { return lower(a) == lower(b); }) != entry.end();
}

std::optional<Refusal> chip_kind_for(int page, std::string_view typed, std::string& kind) {
    // The typed text is taken as it stands, but only a type the chip library models.
    if (!find_chip_row(typed))
        return Refusal{"没有芯片型号“" + std::string(typed) + "”：请从列表中选择，或输入列表中的型号。", 1};
    kind = std::string("集成芯片") + chip_page(page).category + "(" + std::string(typed) + ")";
    return std::nullopt;
}

}  // namespace vorlisk
