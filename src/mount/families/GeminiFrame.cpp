#include "mount/families/GeminiFrame.h"

namespace GeminiFrame {

namespace {

QByteArray framed(char lead, int id, QByteArrayView value)
{
    QByteArray frame = lead + QByteArray::number(id).rightJustified(3, '0') + ':';
    frame += value;
    frame += calcGeminiChecksum(frame);
    frame += '#';
    return frame;
}

}  // namespace

char calcGeminiChecksum(QByteArrayView bytes)
{
    constexpr int kSevenBits = 127;
    constexpr int kOffset = 64;
    int x = 0;
    for (const char c : bytes)
        x ^= uchar(c);
    return char((x & kSevenBits) + kOffset);
}

QByteArray get(int id)
{
    return framed('<', id, {});
}

QByteArray set(int id, QByteArrayView value)
{
    return framed('>', id, value);
}

}  // namespace GeminiFrame
