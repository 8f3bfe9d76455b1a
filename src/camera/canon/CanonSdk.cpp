#include "camera/canon/CanonSdk.h"

#include <QTimer>
#include <QtEndian>

namespace {

// The answer of a call made at once, given from the event loop as a
// camera's would be.
template <class... Values>
void answerLater(std::function<void(Values...)> done, std::decay_t<Values>... values)
{
    QTimer::singleShot(0, [done = std::move(done), values...] {
        if (done)
            done(values...);
    });
}

}  // namespace

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
    answerLater(std::move(done), setPropertyData(property, param, data));
}

void CanonSdk::writeUInt32(std::uint32_t property, std::uint32_t param, std::uint32_t value, Done done)
{
    writePropertyData(property, param, CanonIds::uint32Bytes(value), std::move(done));
}

void CanonSdk::readPropertyData(std::uint32_t property, std::uint32_t param, ReadDone done)
{
    QByteArray data;
    const Error error = getPropertyData(property, param, data);
    answerLater(std::move(done), error, data);
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
    answerLater(std::move(done), error, info);
}

void CanonSdk::completeDownload(Item item, Done done)
{
    answerLater(std::move(done), downloadComplete(item));
}

void CanonSdk::cancelDownload(Item item, Done done)
{
    answerLater(std::move(done), downloadCancel(item));
}

void CanonSdk::startSdk(StepDone done)
{
    answerLater(std::move(done), initializeSdk(), QString());
}

void CanonSdk::findCameras(StepDone done)
{
    answerLater(std::move(done), getCameraList(), QString());
}

void CanonSdk::countCameras(UInt32Done done)
{
    std::uint32_t count = 0;
    const Error error = getChildCount(count);
    answerLater(std::move(done), error, count);
}

void CanonSdk::chooseCamera(int index, StepDone done)
{
    answerLater(std::move(done), getChildAtIndex(index), QString());
}

void CanonSdk::startSession(StepDone done)
{
    answerLater(std::move(done), openSession(), QString());
}

void CanonSdk::readPropertyDesc(std::uint32_t property, DescDone done)
{
    std::vector<std::int32_t> elements;
    const Error error = getPropertyDesc(property, elements);
    answerLater(std::move(done), error, elements);
}

void CanonSdk::readPropertySize(std::uint32_t property, std::uint32_t param, UInt32Done done)
{
    std::uint32_t size = 0;
    const Error error = getPropertySize(property, param, size);
    answerLater(std::move(done), error, size);
}

void CanonSdk::readDeviceInfo(DeviceInfoDone done)
{
    DeviceInfo info;
    const Error error = getDeviceInfo(info);
    answerLater(std::move(done), error, info);
}

void CanonSdk::writeCapacity(const Capacity& capacity, Done done)
{
    answerLater(std::move(done), setCapacity(capacity));
}

void CanonSdk::postStatusCommand(std::uint32_t command, Done done)
{
    answerLater(std::move(done), sendStatusCommand(command));
}
