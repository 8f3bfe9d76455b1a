#include "camera/canon/CanonSdk.h"

#include <QtEndian>

QByteArray CanonIds::uint32Bytes(std::uint32_t value)
{
    QByteArray data(4, '\0');
    qToLittleEndian(value, data.data());
    return data;
}

CanonSdk::Error CanonSdk::getUInt32(std::uint32_t property, std::uint32_t param, std::uint32_t& value)
{
    QByteArray data;
    const Error error = getPropertyData(property, param, data);
    if (error != CanonIds::kOk)
        return error;
    if (data.size() < 4)
        return CanonIds::kErrInternal;
    value = qFromLittleEndian<std::uint32_t>(data.constData());
    return CanonIds::kOk;
}

CanonSdk::Error CanonSdk::setUInt32(std::uint32_t property, std::uint32_t param, std::uint32_t value)
{
    return setPropertyData(property, param, CanonIds::uint32Bytes(value));
}
