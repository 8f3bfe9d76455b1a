#pragma once

#include <QString>
#include <QStringList>
#include <QTimeZone>

// Turns a stored time-zone name into a zone: the one reader of every zone
// title the program stores. Qt accepts any word ("PST", "Unknown") as a valid
// zone with offset 0, so names are read only as an abbreviation of the table,
// an IANA id the system knows, or a fixed offset written as Qt names it
// ("UTC", "UTC+10", "UTC-05", "UTC+05:30", at most 14 hours); anything else,
// "Unknown" included, is invalid and leaves the program's zone alone.
namespace TimeZoneResolver {

QTimeZone resolve(const QString& name);

// Every abbreviation the table knows, in alphabetical order, so lists built
// from it come out the same on every run.
const QStringList& abbreviations();

// The IANA id an abbreviation stands for, or an empty string.
QString ianaForAbbreviation(const QString& abbreviation);

}  // namespace TimeZoneResolver
