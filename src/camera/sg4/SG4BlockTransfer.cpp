#include "camera/sg4/SG4BlockTransfer.h"

#include "mount/SerialControl.h"

#include <span>

std::optional<std::vector<quint16>> SG4BlockTransfer::run(const Request& request,
                                                          const Progress& progress)
{
    using namespace SG4Protocol;
    const ReadoutGeometry& geometry = request.geometry;
    m_serial.clearSerialBuffer(kSerialSlotSG4);
    std::vector<quint16> pixels(std::size_t(geometry.width) * std::size_t(geometry.height));
    std::vector<char> block(std::size_t(geometry.blockBytes) + 1);

    const QByteArray command = frame(kTransferImage);
    ReplyBuffer unused;
    qint32 count = qint32(command.size());
    if (!m_serial.transaction(0, count, command.constData(), unused, kSerialSlotSG4)) {
        m_debug("SG-4 sg4TransferImageCmd: X command transaction error");
        return std::nullopt;
    }
    // A camera exposing the next frame (continuous exposure) may put its
    // progress bytes ahead of the echo.
    char echo = m_serial.getSG4Byte();
    for (int skipped = 0; echo != command.back() && isProgressByte(echo) && skipped < kMostProgressAhead;
         ++skipped)
        echo = m_serial.getSG4Byte();
    if (echo != command.back()) {
        m_debug(QString("SG-4 sg4TransferImageCmd: X command checksum error byte: %1").arg(int(quint8(echo))));
        return std::nullopt;
    }

    const std::size_t pixelsPerBlock = std::size_t(geometry.blockBytes) / 2;
    int repeats = 0;
    for (int i = 0; i < geometry.blocks;) {
        qint64 received = 0;
        if (!m_serial.getSG4Image(block, qint64(block.size()), received, request.blockSeconds,
                                  request.skipStatusBytes)) {
            m_debug(QString("SG-4 sg4TransferImageCmd errCode: %1, i: %2").arg(received).arg(i));
            return giveUp();
        }
        if (i % 2 == 1 && progress)
            progress(i * 100 / geometry.blocks);
        const std::span<const char> data(block.data(), std::size_t(geometry.blockBytes));
        const quint8 sum = decodeBlock(data, std::span(pixels).subspan(std::size_t(i) * pixelsPerBlock, pixelsPerBlock));
        const auto sent = quint8(block.back());
        char ack = kBlockGood;
        if (sum != sent) {
            m_debug([&] {
                return QString("SG-4 sg4TransferImageCmd: checksum error - repeat, i: %1, byes: %2, csbyte: 0x%3, cs: 0x%4")
                    .arg(i).arg(received).arg(sent, 0, 16).arg(sum, 0, 16);
            });
            if (++repeats > kMostRepeats) {
                m_debug("SG-4 sg4TransferImageCmd: checksum count >3 error");
                return giveUp();
            }
            ack = kBlockRepeat;
        }
        if (m_abort) {
            ack = kBlockStop;
            m_debug("SG-4 sg4TransferImageCmd: abort");
        }
        if (!answer(ack)) {
            m_debug("SG-4 sg4TransferImageCmd: ack transaction error");
            return std::nullopt;
        }
        if (ack == kBlockStop) {
            m_abort = false;
            return std::nullopt;
        }
        if (ack == kBlockGood) {
            repeats = 0;
            ++i;
        }
    }
    return pixels;
}

std::nullopt_t SG4BlockTransfer::giveUp()
{
    // A camera left waiting for its answer would take the next command's
    // letter for it: it is told to stop first.
    answer(SG4Protocol::kBlockStop);
    return std::nullopt;
}

bool SG4BlockTransfer::answer(char ack)
{
    ReplyBuffer unused;
    qint32 count = 1;
    return m_serial.transaction(0, count, &ack, unused, kSerialSlotSG4);
}
