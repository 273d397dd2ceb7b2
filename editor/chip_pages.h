// The chip chooser's two pages ("集成芯片"): the types each lists, the word
// the kind of a placed chip carries for the page, and what OK takes. The
// desktop's dialog and the browser page list and check alike.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/dialog_checks.h"

namespace vorlisk {

// Caption, the word the kind carries between "集成芯片" and the type, the
// background of the page's edit and list (0x00BBGGRR), and the types listed,
// in list order. The buffers 74LS126 and the Schmitt NAND 74LS132 keep no
// state: they are listed with the combinational types. Any modelled type
// may also be typed into either page's edit box; the category word follows
// the page, not the type.
struct ChipPage {
    const char* caption;
    const char* category;
    int32_t colour;
    std::vector<const char*> types;
};
const ChipPage& chip_page(int page);  // 0 "组合逻辑芯片", 1 "时序逻辑芯片"
constexpr int kChipPages = 2;

// A list entry: the type and its function from the chip table ("74LS00 四2输入与非门").
std::string chip_entry_text(std::string_view type);
// Whether an entry stays in the list while `typed` is in the edit box: it
// holds the typed text, blanks around it ignored, letters in either case.
bool chip_entry_matches(std::string_view entry, std::string_view typed);
// OK on page 0 or 1 with `typed` in the edit box: the kind the chip tool
// places ("集成芯片组合逻辑(74LS00)"), or the refusal of a type the chip
// library does not model (that would place a dead box without pins).
std::optional<Refusal> chip_kind_for(int page, std::string_view typed, std::string& kind);

}  // namespace vorlisk
