#pragma once

#include <QString>

#include <compare>
#include <optional>

// Version texts such as "3.4.10": numbers separated by dots, compared number
// by number, a missing number counting as 0 ("3.4" equals "3.4.0", "3.4.10"
// is after "3.4.9"). Surrounding white space is ignored.
namespace VersionNumber {

bool isVersion(const QString& text);

// None when either text is not such a version.
std::optional<std::strong_ordering> compare(const QString& a, const QString& b);

}  // namespace VersionNumber
