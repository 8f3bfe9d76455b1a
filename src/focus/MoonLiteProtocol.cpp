#include "focus/MoonLiteProtocol.h"

namespace MoonLiteProtocol {

namespace {

// Whether the reply is `length` bytes of body followed by "#".
bool isWhole(const Reply& reply, int length)
{
    return reply && reply->size() >= length + 1 && reply->at(length) == '#';
}

}  // namespace

QByteArray command(const QByteArray& body)
{
    return ':' + body + '#';
}

QByteArray hex(quint16 value, int digits)
{
    return QByteArray::number(value, 16).toUpper().rightJustified(digits, '0').right(digits);
}

QByteArray withNumber(const QByteArray& body, quint16 value, int digits)
{
    return command(body + hex(value, digits));
}

std::optional<quint16> number(const Reply& reply, int digits)
{
    if (!isWhole(reply, digits))
        return std::nullopt;
    quint16 value = 0;
    for (int i = 0; i < digits; ++i) {
        const char c = reply->at(i);
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        if (digit < 0)
            return std::nullopt;
        value = quint16(value << 4 | digit);
    }
    return value;
}

std::optional<float> temperature(const Reply& reply)
{
    const std::optional<quint16> count = number(reply, 4);
    if (!count)
        return std::nullopt;
    return float(qint16(*count)) * 0.5f;
}

std::optional<qint8> tempCoeff(const Reply& reply)
{
    const std::optional<quint16> v = number(reply, 2);
    if (!v)
        return std::nullopt;
    return qint8(quint8((-2 * int(*v)) & 0xFF));
}

QByteArray setTempCoeff(qint8 value)
{
    return withNumber("SC", quint8((-int(value)) & 0xFF), 2);
}

std::optional<bool> isHalfStep(const Reply& reply)
{
    if (!isWhole(reply, 2))
        return std::nullopt;
    return reply->at(0) == 'F';
}

std::optional<bool> isMoving(const Reply& reply)
{
    if (!isWhole(reply, 2))
        return std::nullopt;
    return reply->at(1) == '1';
}

std::optional<QByteArray> version(const Reply& reply)
{
    if (!isWhole(reply, 2))
        return std::nullopt;
    const char major = reply->at(0);
    const char minor = reply->at(1);
    if (major < '0' || major > '9' || minor < '0' || minor > '9')
        return std::nullopt;
    return QByteArray(1, major) + '.' + minor;
}

}  // namespace MoonLiteProtocol
