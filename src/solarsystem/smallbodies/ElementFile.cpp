#include "solarsystem/smallbodies/ElementFile.h"

#include <QFile>

namespace ElementFile {

bool isAscii(const QByteArray& bytes)
{
    return isAscii(std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

bool isAscii(std::string_view bytes)
{
    // One pass with no early exit, so the compiler can vectorise it.
    unsigned char high = 0;
    unsigned char anyNul = 0;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        high |= u;
        anyNul |= u == 0;
    }
    return (high & 0x80) == 0 && anyNul == 0;
}

std::optional<QByteArray> readAscii(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || !isAscii(bytes))
        return std::nullopt;
    return bytes;
}

}  // namespace ElementFile
