#include "mount/panels/DomeFieldRange.h"

#include "platform/TypedNumber.h"

#include <cmath>

namespace {

const QString kNotANumber = QStringLiteral("%1 is not a number.");
const QString kOutOfRange = QStringLiteral("%1 must be from %2 to %3%4.");
const QString kNotWhole = QStringLiteral("%1 must be a whole number from %2 to %3%4.");

}  // namespace

DomeFieldRange::Reading DomeFieldRange::read(const QString& text) const
{
    const QString caption = QString::fromLatin1(name);
    const std::optional<double> number = TypedNumber::read(text);
    if (!number)
        return {std::nullopt, kNotANumber.arg(caption)};
    if (*number < min || *number > max || (whole && std::trunc(*number) != *number)) {
        const QString& refusal = whole ? kNotWhole : kOutOfRange;
        return {std::nullopt, refusal.arg(caption, QString::number(min, 'g', 10), QString::number(max, 'g', 10),
                                          QString::fromLatin1(unit))};
    }
    return {number, {}};
}
