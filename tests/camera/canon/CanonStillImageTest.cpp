#include "camera/views/canon/CanonStillImage.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <vector>

namespace {

// A small uncompressed DNG: a 64 x 64 Bayer mosaic, 16 bits a sample, no
// preview, so that only a full raw decode can show it.
QByteArray mosaicDng(quint16 level)
{
    constexpr quint32 kSide = 64;
    struct Entry {
        quint16 tag;
        quint16 type;  // 1 byte, 2 ascii, 3 short, 4 long, 10 srational
        quint32 count;
        QByteArray value;
    };
    const auto shorts = [](std::initializer_list<quint16> values) {
        QByteArray bytes;
        for (quint16 v : values) {
            char b[2];
            qToLittleEndian(v, b);
            bytes.append(b, 2);
        }
        return bytes;
    };
    const auto longs = [](std::initializer_list<qint32> values) {
        QByteArray bytes;
        for (qint32 v : values) {
            char b[4];
            qToLittleEndian(v, b);
            bytes.append(b, 4);
        }
        return bytes;
    };
    QByteArray pixels;
    for (quint32 i = 0; i < kSide * kSide; ++i)
        pixels += shorts({level});
    QByteArray matrix;
    for (int i = 0; i < 9; ++i)
        matrix += longs({i % 4 == 0 ? 1 : 0, 1});
    std::vector<Entry> entries{
        {254, 4, 1, longs({0})},
        {256, 4, 1, longs({kSide})},
        {257, 4, 1, longs({kSide})},
        {258, 3, 1, shorts({16})},
        {259, 3, 1, shorts({1})},
        {262, 3, 1, shorts({32803})},
        {271, 2, 6, QByteArray("Canon", 6)},
        {272, 2, 9, QByteArray("EOS Test", 9)},
        {273, 4, 1, {}},  // the strip's offset, filled in below
        {277, 3, 1, shorts({1})},
        {278, 4, 1, longs({kSide})},
        {279, 4, 1, longs({qint32(pixels.size())})},
        {33421, 3, 2, shorts({2, 2})},
        {33422, 1, 4, QByteArray("\x00\x01\x01\x02", 4)},
        {50706, 1, 4, QByteArray("\x01\x04\x00\x00", 4)},
        {50708, 2, 5, QByteArray("Test", 5)},
        {50717, 4, 1, longs({65535})},
        {50721, 10, 9, matrix},
        {50778, 3, 1, shorts({21})},
    };
    const quint32 ifdSize = 2 + quint32(entries.size()) * 12 + 4;
    quint32 extra = 8 + ifdSize;
    QByteArray values;
    QByteArray ifd = shorts({quint16(entries.size())});
    const quint32 stripOffset = [&] {
        quint32 size = 0;
        for (const Entry& e : entries)
            if (e.value.size() > 4)
                size += quint32(e.value.size() + (e.value.size() & 1));
        return extra + size;
    }();
    for (Entry& e : entries) {
        if (e.tag == 273)
            e.value = longs({qint32(stripOffset)});
        ifd += shorts({e.tag, e.type}) + longs({qint32(e.count)});
        if (e.value.size() <= 4) {
            ifd += e.value + QByteArray(4 - e.value.size(), '\0');
        } else {
            ifd += longs({qint32(extra + quint32(values.size()))});
            values += e.value;
            if (e.value.size() & 1)
                values += '\0';
        }
    }
    ifd += longs({0});
    return QByteArray("II*\0", 4) + longs({8}) + ifd + values + pixels;
}

}  // namespace

TEST(CanonStillImage, RawFilesWithoutAPreviewAreDecodedInFull)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("IMG_0001.dng");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(mosaicDng(30000));
    file.close();
    const QImage image = CanonStillImage::load(path);
    ASSERT_FALSE(image.isNull());
    EXPECT_GE(image.width(), 32) << "a half-size decode of the 64 x 64 mosaic";
    EXPECT_GT(qGray(image.pixel(image.width() / 2, image.height() / 2)), 20);
}

TEST(CanonStillImage, UnreadableFilesGiveNoImage)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("IMG_0002.CR2");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("II*\0", 4) + QByteArray(500, '\x7f'));
    file.close();
    EXPECT_TRUE(CanonStillImage::load(path).isNull()) << "a broken raw file";
    EXPECT_TRUE(CanonStillImage::load(dir.filePath("missing.JPG")).isNull());

    const QString jpegPath = dir.filePath("IMG_0003.JPG");
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::white);
    ASSERT_TRUE(picture.save(jpegPath, "JPEG"));
    EXPECT_EQ(CanonStillImage::load(jpegPath).size(), QSize(40, 30));
}
