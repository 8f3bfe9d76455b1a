#include "platform/TimeZoneResolver.h"

#include <QHash>
#include <QRegularExpression>

namespace {

const QHash<QString, QString>& abbreviationTable()
{
    static const QHash<QString, QString> table = {
        {"ADT", "America/Halifax"},    {"AKDT", "America/Juneau"},
        {"AKST", "America/Juneau"},    {"ART", "America/Argentina/Buenos_Aires"},
        {"AST", "America/Halifax"},    {"BDT", "Asia/Dhaka"},
        {"BRST", "America/Sao_Paulo"}, {"BRT", "America/Sao_Paulo"},
        {"BST", "Europe/London"},      {"CAT", "Africa/Harare"},
        {"CDT", "America/Chicago"},    {"CEST", "Europe/Paris"},
        {"CET", "Europe/Paris"},       {"CLST", "America/Santiago"},
        {"CLT", "America/Santiago"},   {"COT", "America/Bogota"},
        {"CST", "America/Chicago"},    {"EAT", "Africa/Addis_Ababa"},
        {"EDT", "America/New_York"},   {"EEST", "Europe/Athens"},
        {"EET", "Europe/Athens"},      {"EST", "America/New_York"},
        {"GMT", "UTC"},                {"GST", "Asia/Dubai"},
        {"HKT", "Asia/Hong_Kong"},     {"HST", "Pacific/Honolulu"},
        {"ICT", "Asia/Bangkok"},       {"IRST", "Asia/Tehran"},
        {"IST", "Asia/Kolkata"},       {"JST", "Asia/Tokyo"},
        {"KST", "Asia/Seoul"},         {"MDT", "America/Denver"},
        {"MSD", "Europe/Moscow"},      {"MSK", "Europe/Moscow"},
        {"MST", "America/Denver"},     {"NZDT", "Pacific/Auckland"},
        {"NZST", "Pacific/Auckland"},  {"PDT", "America/Los_Angeles"},
        {"PET", "America/Lima"},       {"PHT", "Asia/Manila"},
        {"PKT", "Asia/Karachi"},       {"PST", "America/Los_Angeles"},
        {"SGT", "Asia/Singapore"},     {"UTC", "UTC"},
        {"WAT", "Africa/Lagos"},       {"WEST", "Europe/Lisbon"},
        {"WET", "Europe/Lisbon"},      {"WIT", "Asia/Jakarta"},
    };
    return table;
}

// "UTC+10", "UTC-05", "UTC+05:30": the names Qt gives its fixed-offset zones,
// which the system's zone list mostly lacks.
QTimeZone fixedOffset(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^UTC([+-])(\\d{2})(?::(\\d{2}))?$"));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return {};
    constexpr int kMostHours = 14;
    const int hours = match.captured(2).toInt();
    const int minutes = match.captured(3).toInt();
    if (minutes > 59 || hours * 60 + minutes > kMostHours * 60)
        return {};
    const int sign = match.captured(1) == u"-" ? -1 : 1;
    return QTimeZone(sign * (hours * 3600 + minutes * 60));
}

}  // namespace

namespace TimeZoneResolver {

const QStringList& abbreviations()
{
    static const QStringList sorted = [] {
        QStringList keys = abbreviationTable().keys();
        keys.sort();
        return keys;
    }();
    return sorted;
}

QString ianaForAbbreviation(const QString& abbreviation)
{
    return abbreviationTable().value(abbreviation.trimmed().toUpper());
}

QTimeZone resolve(const QString& name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return {};
    // An IANA id always holds a '/' (or is UTC); bare abbreviations go through the table.
    const QString mapped = ianaForAbbreviation(trimmed);
    const QByteArray id = (mapped.isEmpty() ? trimmed : mapped).toUtf8();
    if (QTimeZone::isTimeZoneIdAvailable(id))
        return QTimeZone(id);
    return fixedOffset(trimmed);
}

}  // namespace TimeZoneResolver
