#include "mount/dome/DDWStatus.h"

#include <QByteArray>
#include <QList>

namespace {

// Output pins fit in four bits.
constexpr quint16 kPinMask = 0x0F;

std::optional<quint16> field(const QList<QByteArray>& fields, int index)
{
    bool ok = false;
    const quint16 value = fields[index].trimmed().toUShort(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

}  // namespace

std::optional<DDWStatus> parseDDWStatus(QByteArrayView text)
{
    if (!text.startsWith('V'))
        return std::nullopt;
    const QList<QByteArray> fields = text.toByteArray().split(',');
    if (fields.size() < kDDWStatusFields)
        return std::nullopt;
    constexpr int kUsed[] = {1, 2, 3, 4, 5, 6, 7, 8, 11, 20};
    quint16 values[std::size(kUsed)] = {};
    for (std::size_t i = 0; i < std::size(kUsed); ++i) {
        const std::optional<quint16> value = field(fields, kUsed[i]);
        if (!value)
            return std::nullopt;
        values[i] = *value;
    }
    if (values[8] > kPinMask)
        return std::nullopt;
    DDWStatus status;
    status.versionStr = QString::fromLatin1(fields[0].trimmed());
    status.Dticks = values[0];
    status.Home1 = values[1];
    status.Coast = values[2];
    status.ADAZ = values[3];
    status.Slave = values[4];
    status.Shutter = values[5];
    status.DSRStatus = values[6];
    status.Home = values[7];
    status.pinState = quint8(values[8]);
    status.SCOPEAZ = values[9];
    return status;
}
