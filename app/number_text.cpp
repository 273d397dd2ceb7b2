#include "app/number_text.h"

#include <cmath>

namespace vorlisk {

QString general_number(double v) { return QString::number(v, 'g', 15); }

bool parse_real(const QString& text, double& value) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v)) return false;
    value = v;
    return true;
}

bool parse_integer(const QString& text, int& value) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok) return false;
    value = v;
    return true;
}

}  // namespace vorlisk
