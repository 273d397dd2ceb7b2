// TEMPORARY: placeholders until the medium-scale chip models land.
#include "chips/chip_models.h"
namespace vorlisk {
#define PENDING(n) void n(ChipPins&, const ChipRow&) {}
PENDING(chip_74ls42) PENDING(chip_74ls47) PENDING(chip_74ls48) PENDING(chip_74ls49)
PENDING(chip_74ls85) PENDING(chip_74ls138) PENDING(chip_74ls148) PENDING(chip_74ls151)
PENDING(chip_74ls153) PENDING(chip_74ls157) PENDING(chip_74ls74) PENDING(chip_74ls76)
PENDING(chip_74ls109) PENDING(chip_74ls112) PENDING(chip_74ls174) PENDING(chip_74ls175)
PENDING(chip_74ls273) PENDING(chip_74ls373) PENDING(chip_74ls90) PENDING(chip_74ls93)
PENDING(chip_74ls290) PENDING(chip_74ls293)
}
