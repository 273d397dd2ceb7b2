#include "editor/component_box_table.h"

namespace vorlisk {

namespace {

const BoxButton kButtons[] = {
    {"SpeedButton26", BoxRole::select, "", 0, true},
    {"SpeedButton27", BoxRole::tool, "导线", 0, false},
    {"SpeedButton28", BoxRole::tool, "焊接点", 0, false},
    {"SpeedButton29", BoxRole::tool, "检测点", 0, false},
    {"SpeedButton30", BoxRole::group, "与门", int(KindGroup::and_), false},
    {"SpeedButton31", BoxRole::group, "或门", int(KindGroup::or_), false},
    {"SpeedButton32", BoxRole::tool, "非门", 0, false},
    {"SpeedButton33", BoxRole::group, "与非门", int(KindGroup::nand_), false},
    {"SpeedButton34", BoxRole::group, "或非门", int(KindGroup::nor_), false},
    {"SpeedButton35", BoxRole::tool, "与或非门", 0, false},
    {"SpeedButton36", BoxRole::tool, "异或门", 0, false},
    {"SpeedButton37", BoxRole::tool, "同或门", 0, false},
    {"SpeedButton38", BoxRole::tool, "半加器", 0, false},
    {"SpeedButton39", BoxRole::tool, "全加器", 0, false},
    {"SpeedButton40", BoxRole::group, "与非门基本RS触发器", int(KindGroup::rs), false},
    {"SpeedButton41", BoxRole::group, "边沿D触发器", int(KindGroup::d), false},
    {"SpeedButton42", BoxRole::tool, "边沿JK触发器", 0, false},
    {"SpeedButton43", BoxRole::group, "连续脉冲", int(KindGroup::sources), false},
    {"SpeedButton46", BoxRole::chip_page, "集成芯片组合逻辑(74LS00)", 0, false},
    {"SpeedButton47", BoxRole::chip_page, "集成芯片时序逻辑(74LS74)", 1, false},
    {"SpeedButton44", BoxRole::group, "发光二极管", int(KindGroup::leds), false},
    {"SpeedButton45", BoxRole::group, "数码管", int(KindGroup::displays), false},
    {"SpeedButton50", BoxRole::tool, "信号输入器件", 0, false},
    {"SpeedButton51", BoxRole::tool, "信号输出器件", 0, false},
    {"SpeedButton14", BoxRole::tool, "Vcc", 0, true},
    {"SpeedButton15", BoxRole::tool, "Gnd", 0, true},
    {"SpeedButton48", BoxRole::tool, "注释", 0, false},
    {"SpeedButton49", BoxRole::hidden, "", 0, false},
};

// In KindGroup order.
const BoxFamily kFamilies[kKindGroupCount] = {
    {KindGroup::and_, "与门", {"与门", "3线与门", "4线与门", "5线与门", "8线与门"}},
    {KindGroup::or_, "或门", {"或门", "3线或门", "4线或门", "5线或门", "8线或门"}},
    {KindGroup::nand_, "与非门", {"与非门", "3线与非门", "4线与非门", "5线与非门", "8线与非门"}},
    {KindGroup::nor_, "或非门", {"或非门", "3线或非门", "4线或非门", "5线或非门", "8线或非门"}},
    {KindGroup::rs, "RS触发器", {"或非门基本RS触发器", "与非门基本RS触发器", "同步RS触发器", "同步主从RS触发器"}},
    {KindGroup::d, "D触发器", {"CMOSD触发器", "边沿D触发器"}},
    {KindGroup::sources, "信号源", {"高低电平控制器", "连续脉冲", "可置数脉冲"}},
    {KindGroup::leds, "发光二极管", {"发光二极管", "发光二极管测点"}},
    {KindGroup::displays, "数码管", {"数码管", "数码管BCD", "数码管BCD测点"}},
};

}  // namespace

std::span<const BoxButton> box_buttons() { return kButtons; }

const BoxFamily& box_family(KindGroup g) { return kFamilies[size_t(g)]; }

std::string family_caption_text(KindGroup g) {
    const BoxFamily& f = box_family(g);
    std::string s = std::string(f.family) + "：";
    for (size_t i = 0; i < f.kinds.size(); ++i) s += (i ? "、" : "") + std::string(f.kinds[i]);
    return s;
}

}  // namespace vorlisk
