// Models of the chip types, grouped by family; the catalogue rows point here.
// A model runs only on a powered chip, after the evaluator's power check.
#pragma once

#include "chips/chip_table.h"

namespace vorlisk {

// Decoders, encoder, selectors, comparator.
void chip_74ls42(ChipPins& p, const ChipRow& row);
void chip_74ls47(ChipPins& p, const ChipRow& row);
void chip_74ls48(ChipPins& p, const ChipRow& row);  // also 74LS248, 74LS249
void chip_74ls49(ChipPins& p, const ChipRow& row);
void chip_74ls85(ChipPins& p, const ChipRow& row);
void chip_74ls138(ChipPins& p, const ChipRow& row);
void chip_74ls148(ChipPins& p, const ChipRow& row);
void chip_74ls151(ChipPins& p, const ChipRow& row);
void chip_74ls153(ChipPins& p, const ChipRow& row);
void chip_74ls157(ChipPins& p, const ChipRow& row);
void chip_74ls83(ChipPins& p, const ChipRow& row);
void chip_74ls155(ChipPins& p, const ChipRow& row);  // also 74LS156
void chip_74ls126(ChipPins& p, const ChipRow& row);

// Flip-flops, registers, latch.
void chip_74ls74(ChipPins& p, const ChipRow& row);
void chip_74ls76(ChipPins& p, const ChipRow& row);
void chip_74ls109(ChipPins& p, const ChipRow& row);
void chip_74ls112(ChipPins& p, const ChipRow& row);
void chip_74ls174(ChipPins& p, const ChipRow& row);
void chip_74ls175(ChipPins& p, const ChipRow& row);
void chip_74ls273(ChipPins& p, const ChipRow& row);
void chip_74ls373(ChipPins& p, const ChipRow& row);
void chip_74ls75(ChipPins& p, const ChipRow& row);
void chip_74ls194(ChipPins& p, const ChipRow& row);

// Counters.
void chip_74ls90(ChipPins& p, const ChipRow& row);
void chip_74ls93(ChipPins& p, const ChipRow& row);
void chip_74ls290(ChipPins& p, const ChipRow& row);
void chip_74ls293(ChipPins& p, const ChipRow& row);

// Synchronous counters.
void chip_74ls160(ChipPins& p, const ChipRow& row);
void chip_74ls161(ChipPins& p, const ChipRow& row);
void chip_74ls162(ChipPins& p, const ChipRow& row);
void chip_74ls163(ChipPins& p, const ChipRow& row);
void chip_74ls190(ChipPins& p, const ChipRow& row);
void chip_74ls192(ChipPins& p, const ChipRow& row);
void chip_74ls193(ChipPins& p, const ChipRow& row);

// One-shots: they time their pulses on the run's clock.
void chip_74ls121(ChipPins& p, const ChipRow& row);
void chip_74ls122(ChipPins& p, const ChipRow& row);
void chip_74ls123(ChipPins& p, const ChipRow& row);
void chip_74ls221(ChipPins& p, const ChipRow& row);

}  // namespace vorlisk
