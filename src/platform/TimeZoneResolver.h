#pragma once

#include <QString>
#include <QTimeZone>

// Turns a stored time-zone name into a zone. Qt accepts abbreviations such as
// "PST" as valid zones with offset 0, so names are tried as IANA ids first and
// then through the common abbreviation table; anything else is invalid.
namespace TimeZoneResolver {

QTimeZone resolve(const QString& name);

// The IANA id an abbreviation stands for, or an empty string.
QString ianaForAbbreviation(const QString& abbreviation);

}  // namespace TimeZoneResolver
