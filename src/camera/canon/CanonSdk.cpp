#include "camera/canon/CanonSdk.h"

#include <QTimer>
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

void CanonSdk::writePropertyData(std::uint32_t property, std::uint32_t param, const QByteArray& data, Done done)
{
    const Error error = setPropertyData(property, param, data);
    QTimer::singleShot(0, [done = std::move(done), error] {
        if (done)
            done(error);
    });
}

void CanonSdk::writeUInt32(std::uint32_t property, std::uint32_t param, std::uint32_t value, Done done)
{
    writePropertyData(property, param, CanonIds::uint32Bytes(value), std::move(done));
}

void CanonSdk::readPropertyData(std::uint32_t property, std::uint32_t param, ReadDone done)
{
    QByteArray data;
    const Error error = getPropertyData(property, param, data);
    QTimer::singleShot(0, [done = std::move(done), error, data] {
        if (done)
            done(error, data);
    });
}

void CanonSdk::readUInt32(std::uint32_t property, std::uint32_t param, UInt32Done done)
{
    readPropertyData(property, param, [done = std::move(done)](Error error, const QByteArray& data) {
        if (error == CanonIds::kOk && data.size() < 4)
            error = CanonIds::kErrInternal;
        done(error, error == CanonIds::kOk ? qFromLittleEndian<std::uint32_t>(data.constData()) : 0);
    });
}

void CanonSdk::readDirectoryItemInfo(Item item, ItemInfoDone done)
{
    ItemInfo info;
    const Error error = getDirectoryItemInfo(item, info);
    QTimer::singleShot(0, [done = std::move(done), error, info] { done(error, info); });
}
