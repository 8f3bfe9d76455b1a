#pragma once

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

// The text forms settings take in the INI store, and how any stored value
// reads back as each type. Numbers always use '.' whatever the locale.
//
//   boolean       "YES" or "NO"; reads true also for "true", "Y", "T" and any
//                 text starting with a non-zero digit, as the earlier edition did
//   integer       decimal text, "1024"; a text like "45.0" reads as 45
//   float         the shortest decimal text that reads back as the same 32-bit float
//   double        the shortest decimal text that reads back as the same double
//   colour        red, green, blue, alpha from 0 to 1, separated by single
//                 spaces: "0.08 0.25 0.25 1"
//   font          family, point size and style (regular, bold, italic or
//                 bold italic) separated by ';': "Geneva;9;regular"; the
//                 family is literal text and may hold ';' and ','
//   date          ISO 8601 with the offset from UTC: "2024-03-01T22:00:00+01:00"
//   string array  a JSON array of strings: ["Undefined","Undefined"]
//   raw block     the bytes themselves
namespace PrefForms {

QString boolText(bool value);
QString integerText(qint64 value);
QString floatText(float value);
QString doubleText(double value);
QString colorText(const QColor& color);
QString fontText(const QFont& font);
QString dateText(const QDateTime& date);
QString stringArrayText(const QStringList& strings);

// Any stored or registered value (text or number) as a number or boolean;
// what cannot be read as one reads as 0 or false.
bool toBool(const QVariant& value);
qint64 toInteger(const QVariant& value);
double toDouble(const QVariant& value);

// None when the text is not in the form above.
std::optional<QColor> colorFromText(const QString& text);
std::optional<QFont> fontFromText(const QString& text);
std::optional<QDateTime> dateFromText(const QString& text);
std::optional<QStringList> stringArrayFromText(const QString& text);

}  // namespace PrefForms
