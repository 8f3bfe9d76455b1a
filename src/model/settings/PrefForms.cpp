#include "model/settings/PrefForms.h"

#include "platform/NumberReader.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// The font sizes a stored font may have, and what a font given no size is stored with.
constexpr double kLargestPoints = 1000.0;
constexpr double kUnsizedPoints = 12.0;

// A font sized in pixels is stored at one point a pixel (72 dpi).
double storedPoints(const QFont& font)
{
    const double size = font.pointSizeF() > 0.0 ? font.pointSizeF() : double(font.pixelSize());
    return size > 0.0 ? std::min(size, kLargestPoints) : kUnsizedPoints;
}

template <class Number>
QString shortestText(Number value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

// A whole text as one finite number, or none.
std::optional<double> wholeNumber(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    double value = 0.0;
    const auto result = std::from_chars(bytes.constData(), bytes.constData() + bytes.size(), value);
    if (result.ec != std::errc() || result.ptr != bytes.constData() + bytes.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool isNumberType(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

bool isYesText(const QString& text)
{
    const QString t = text.trimmed();
    return t.compare(QLatin1String("YES"), Qt::CaseInsensitive) == 0
        || t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

}  // namespace

namespace PrefForms {

QString boolText(bool value) { return value ? QStringLiteral("YES") : QStringLiteral("NO"); }

QString integerText(qint64 value) { return QString::number(value); }

QString floatText(float value) { return shortestText(value); }

QString doubleText(double value) { return shortestText(value); }

QString colorText(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return floatText(rgb.redF()) + u' ' + floatText(rgb.greenF()) + u' ' + floatText(rgb.blueF())
         + u' ' + floatText(rgb.alphaF());
}

QString fontText(const QFont& font)
{
    QString style;
    if (font.bold() && font.italic())
        style = QStringLiteral("bold italic");
    else if (font.bold())
        style = QStringLiteral("bold");
    else if (font.italic())
        style = QStringLiteral("italic");
    else
        style = QStringLiteral("regular");
    return font.family() + u';' + doubleText(storedPoints(font)) + u';' + style;
}

QString dateText(const QDateTime& date)
{
    return date.toOffsetFromUtc(date.offsetFromUtc()).toString(Qt::ISODate);
}

QString stringArrayText(const QStringList& strings)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(strings)).toJson(QJsonDocument::Compact));
}

bool toBool(const QVariant& value)
{
    if (isNumberType(value))
        return value.toDouble() != 0.0;
    // As the earlier edition read text: Y, y, T, t or a digit 1 to 9 after
    // blanks, a sign and leading zeros means true.
    const QString text = value.toString();
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    while (i < text.size() && text[i] == u'0')
        ++i;
    if (i >= text.size())
        return false;
    const QChar c = text[i];
    return c == u'Y' || c == u'y' || c == u'T' || c == u't' || (c >= u'1' && c <= u'9');
}

qint64 toInteger(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? 1 : 0;
    if (isNumberType(value)) {
        const double d = value.toDouble();
        return std::isfinite(d) && std::fabs(d) < 9.0e18 ? qint64(d) : 0;
    }
    const QString text = value.toString();
    if (isYesText(text))
        return 1;
    return NumberReader::readInteger(text.toLatin1().toStdString());
}

double toDouble(const QVariant& value)
{
    if (isNumberType(value))
        return value.toDouble();
    const QString text = value.toString();
    if (isYesText(text))
        return 1.0;
    return NumberReader::readDouble(text.toLatin1().toStdString());
}

std::optional<QColor> colorFromText(const QString& text)
{
    const QStringList parts = text.split(u' ');
    if (parts.size() != 4)
        return std::nullopt;
    float components[4];
    for (int i = 0; i < 4; ++i) {
        const auto number = wholeNumber(parts[i]);
        if (!number || *number < 0.0 || *number > 1.0)
            return std::nullopt;
        components[i] = float(*number);
    }
    return QColor::fromRgbF(components[0], components[1], components[2], components[3]);
}

std::optional<QFont> fontFromText(const QString& text)
{
    // The family is all before the last two separators, taken literally:
    // it may hold ';' and ',' (one family, never a list).
    const qsizetype styleAt = text.lastIndexOf(u';');
    const qsizetype sizeAt = styleAt > 0 ? text.lastIndexOf(u';', styleAt - 1) : -1;
    if (sizeAt < 0)
        return std::nullopt;
    const auto size = wholeNumber(text.sliced(sizeAt + 1, styleAt - sizeAt - 1));
    if (!size || *size <= 0.0 || *size > kLargestPoints)
        return std::nullopt;
    const QString style = text.sliced(styleAt + 1);
    const bool bold = style == QLatin1String("bold") || style == QLatin1String("bold italic");
    const bool italic = style == QLatin1String("italic") || style == QLatin1String("bold italic");
    if (!bold && !italic && style != QLatin1String("regular"))
        return std::nullopt;
    QFont font;
    font.setFamilies({text.left(sizeAt)});
    font.setPointSizeF(*size);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

std::optional<QDateTime> dateFromText(const QString& text)
{
    const QDateTime date = QDateTime::fromString(text, Qt::ISODate);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<QStringList> stringArrayFromText(const QString& text)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isArray())
        return std::nullopt;
    QStringList strings;
    for (const QJsonValue& entry : document.array()) {
        if (!entry.isString())
            return std::nullopt;
        strings.append(entry.toString());
    }
    return strings;
}

}  // namespace PrefForms
