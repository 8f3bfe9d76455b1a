#include "camera/canon/Gphoto2Values.h"

#include "camera/canon/CanonSdk.h"
#include "camera/canon/CanonTables.h"

#include <QRegularExpression>

#include <cmath>
#include <map>

namespace Gphoto2Values {

namespace {

std::optional<double> seconds(const QString& text)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    if (const qsizetype slash = trimmed.indexOf('/'); slash > 0) {
        const double numerator = trimmed.left(slash).toDouble(&ok);
        if (!ok)
            return std::nullopt;
        const double denominator = trimmed.mid(slash + 1).toDouble(&ok);
        if (!ok || denominator <= 0)
            return std::nullopt;
        return numerator / denominator;
    }
    const double value = QString(trimmed).remove(QRegularExpression("s$")).toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

// The table's speeds are rounded ("1/60" is 0.017): near enough is the same.
bool sameSpeed(double a, double b)
{
    return std::abs(a - b) <= 0.06 * std::max(a, b);
}

}  // namespace

std::optional<std::uint32_t> tvCode(const QString& text)
{
    if (text.trimmed().compare(QLatin1String("bulb"), Qt::CaseInsensitive) == 0)
        return CanonIds::kTvBulb;
    const std::optional<double> value = seconds(text);
    if (!value)
        return std::nullopt;
    for (int i = CanonTables::kFirstShutterSpeed; i < CanonTables::kExposureCount; ++i)
        if (sameSpeed(CanonTables::exposure(i).seconds, *value))
            return CanonTables::exposure(i).tvCode;
    return std::nullopt;
}

QString tvChoice(std::uint32_t code, const QStringList& choices)
{
    for (const QString& choice : choices)
        if (tvCode(choice) == code)
            return choice;
    return {};
}

std::optional<std::uint32_t> isoCode(const QString& text)
{
    if (text.trimmed().compare(QLatin1String("auto"), Qt::CaseInsensitive) == 0)
        return 0;
    return CanonTables::isoCode(text.trimmed());
}

std::optional<std::uint32_t> aeMode(const QString& text)
{
    const QString mode = text.trimmed().toLower();
    if (mode == QLatin1String("manual") || mode == QLatin1String("m"))
        return CanonIds::kAEManual;
    if (mode == QLatin1String("bulb"))
        return CanonIds::kAEBulb;
    if (mode == QLatin1String("p"))
        return 0;
    if (mode == QLatin1String("tv"))
        return 1;
    if (mode == QLatin1String("av"))
        return 2;
    return std::nullopt;
}

std::optional<std::uint32_t> batteryLevel(const QString& text)
{
    static const QRegularExpression number("(\\d+)");
    if (const QRegularExpressionMatch match = number.match(text); match.hasMatch())
        return match.captured(1).toUInt();
    if (text.contains(QLatin1String("full"), Qt::CaseInsensitive))
        return 100;
    if (text.contains(QLatin1String("AC")))
        return CanonIds::kBatteryAC;
    return std::nullopt;
}

QString choiceHolding(const QStringList& choices, const QString& part)
{
    for (const QString& choice : choices)
        if (choice.contains(part, Qt::CaseInsensitive))
            return choice;
    return {};
}

QString changedConfig(const QString& eventText)
{
    static const QRegularExpression pattern(
        QStringLiteral("^PTP Property ([0-9a-fA-F]{4}) changed(?:, \"([^\"]+)\")?"));
    const QRegularExpressionMatch match = pattern.match(eventText.trimmed());
    if (!match.hasMatch())
        return {};
    if (!match.captured(2).isEmpty())
        return match.captured(2);
    // The EOS property codes of the settings that are followed.
    static const std::map<QString, QString> byCode{{QStringLiteral("d102"), QStringLiteral("shutterspeed")},
                                                   {QStringLiteral("d103"), QStringLiteral("iso")},
                                                   {QStringLiteral("d105"), QStringLiteral("autoexposuremode")},
                                                   {QStringLiteral("d109"), QStringLiteral("whitebalance")}};
    const auto found = byCode.find(match.captured(1).toLower());
    return found == byCode.end() ? QString() : found->second;
}

std::optional<std::uint32_t> changedProperty(const QString& config)
{
    if (config == QLatin1String("iso"))
        return CanonIds::kPropISOSpeed;
    if (config == QLatin1String("whitebalance"))
        return CanonIds::kPropWhiteBalance;
    if (config == QLatin1String("shutterspeed") || config == QLatin1String("autoexposuremode") ||
        config == QLatin1String("autoexposuremodedial"))
        return CanonIds::kPropTv;
    return std::nullopt;
}

}  // namespace Gphoto2Values
