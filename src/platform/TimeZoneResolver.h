#pragma once

#include <QString>
#include <QStringList>
#include <QTimeZone>

// Turns a stored time-zone name into a zone. Qt accepts abbreviations such as
// "PST" as valid zones with offset 0, so names are tried as IANA ids first and
// then through the common abbreviation table; anything else is invalid.
namespace TimeZoneResolver {

QTimeZone resolve(const QString& name);

// Every abbreviation the table knows, in alphabetical order, so lists built
// from it come out the same on every run.
const QStringList& abbreviations();

// The IANA id an abbreviation stands for, or an empty string.
QString ianaForAbbreviation(const QString& abbreviation);

}  // namespace TimeZoneResolver
