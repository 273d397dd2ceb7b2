// Parts and builders the example files share.
#pragma once

#include <string_view>

#include "model/circuit.h"
#include "tools/make_examples/builder.h"

namespace vorlisk::examples {

constexpr std::string_view kSwitch = "高低电平控制器";
constexpr std::string_view kComb = "集成芯片组合逻辑(";  // the chooser's two pages
constexpr std::string_view kSeq = "集成芯片时序逻辑(";

// A chip of the type as the chooser's page forms its kind.
int chip_part(Builder& b, std::string_view page, std::string_view type, int x, int y);
// A pulse source enabled by its own Vcc, its output labelled CP; returns it.
int clock_source(Builder& b, int x, int y, double hz);

// The lab handouts' chip examples (lab_examples.cpp).
void counter_74ls161(Circuit& c);
void ring_74ls194(Circuit& c);
void adder_74ls83(Circuit& c);
void updown_74ls192(Circuit& c);

}  // namespace vorlisk::examples
