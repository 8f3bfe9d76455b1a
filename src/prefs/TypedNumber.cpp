#include "prefs/TypedNumber.h"

#include <QLocale>

#include <cmath>

namespace TypedNumber {

std::optional<double> read(const QString& text)
{
    QString plain = text.trimmed();
    // One separator only: "1,200.5" is not a number the user meant as one.
    if (plain.contains(QLatin1Char(',')) && plain.contains(QLatin1Char('.')))
        return std::nullopt;
    plain.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(plain, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

}  // namespace TypedNumber
