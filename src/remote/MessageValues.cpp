#include "remote/MessageValues.h"

#include <cmath>

namespace MessageValues {

namespace {

bool isInteger(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

}  // namespace

bool isText(const QVariantMap& message, const QString& key)
{
    return message.value(key).typeId() == QMetaType::QString;
}

QString text(const QVariantMap& message, const QString& key)
{
    return isText(message, key) ? message.value(key).toString() : QString();
}

std::optional<double> number(const QVariantMap& message, const QString& key)
{
    const QVariant value = message.value(key);
    const int type = value.typeId();
    if (!isInteger(value) && type != QMetaType::Double && type != QMetaType::Float)
        return 0.0;
    const double v = value.toDouble();
    return std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

qint64 integer(const QVariantMap& message, const QString& key)
{
    const QVariant value = message.value(key);
    return isInteger(value) ? value.toLongLong() : 0;
}

bool boolean(const QVariantMap& message, const QString& key)
{
    const QVariant value = message.value(key);
    return value.typeId() == QMetaType::Bool && value.toBool();
}

}  // namespace MessageValues
