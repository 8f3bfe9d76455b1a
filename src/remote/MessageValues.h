#pragma once

#include <QString>
#include <QVariantMap>

#include <optional>

// Reads the values of a companion message. A key whose value has the wrong
// type counts as missing: numbers read 0, booleans false, texts empty.
namespace MessageValues {

inline const QString kCommand = QStringLiteral("command");

bool isText(const QVariantMap& message, const QString& key);
QString text(const QVariantMap& message, const QString& key);
// An integer or a real number. Nothing for a real that is not finite:
// no command may act on it, so the message is refused, never read as 0.
std::optional<double> number(const QVariantMap& message, const QString& key);
// An integer only; a real is the wrong type.
qint64 integer(const QVariantMap& message, const QString& key);
bool boolean(const QVariantMap& message, const QString& key);

}  // namespace MessageValues
