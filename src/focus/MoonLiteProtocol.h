#pragma once

#include <QByteArray>

#include <optional>

// The MoonLite focuser's wire format: every command is ":" + command + "#";
// numbers are upper-case hexadecimal digits, most significant first, four
// for 16 bits and two for 8; each reply is its digits and "#". A reply is
// the bytes an exchange read, or nothing when it failed; one that is short,
// lacks its "#" or holds a digit that is not hexadecimal reads as nothing,
// so that a stale buffer is never taken for data.
namespace MoonLiteProtocol {

using Reply = std::optional<QByteArray>;

QByteArray command(const QByteArray& body);
QByteArray hex(quint16 value, int digits);
// ":SN" + 4 digits + "#" and the like.
QByteArray withNumber(const QByteArray& body, quint16 value, int digits);

// The number of a whole reply of `digits` hexadecimal digits and "#".
std::optional<quint16> number(const Reply& reply, int digits);
// ":GT#": a signed 16-bit count of half degrees Celsius.
std::optional<float> temperature(const Reply& reply);
// ":GC#": two digits v give the coefficient (-2 v) as a signed byte.
std::optional<qint8> tempCoeff(const Reply& reply);
// The two digits ":SC" sends for a coefficient: (-value) modulo 256.
QByteArray setTempCoeff(qint8 value);
// ":GH#": "FF#" in half steps.
std::optional<bool> isHalfStep(const Reply& reply);
// ":GI#": "01#" while the motor moves.
std::optional<bool> isMoving(const Reply& reply);
// ":GV#": two decimal digits, major then minor.
std::optional<QByteArray> version(const Reply& reply);

}  // namespace MoonLiteProtocol
