#pragma once

#include <QString>

#include <optional>

// A number as the user types it into a preferences field: either a point or
// a comma before the decimals, whatever the locale, and blanks around it.
namespace TypedNumber {

// The value, or nothing when the text is empty, not wholly a number, or not finite.
std::optional<double> read(const QString& text);

}  // namespace TypedNumber
