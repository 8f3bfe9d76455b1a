#include "remote/IncomingFrames.h"
#include "remote/MessageValues.h"
#include "remote/PropertyList.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// A body either reads as a dictionary that survives being written and read
// again, or is refused.
void readBody(const QByteArray& body)
{
    if (std::optional<QVariantMap> message = PropertyList::readDictionary(body)) {
        MessageValues::text(*message, MessageValues::kCommand);
        MessageValues::number(*message, QStringLiteral("rightAscension"));
        if (!PropertyList::readDictionary(PropertyList::toXml(*message)))
            std::abort();
    }
}

}  // namespace

// The companion's incoming bytes, in reads of any size: the framing never
// buffers past its cap and every body is at most the cap. With the first
// byte's top bit set the rest is one binary-list body after its magic, so
// that offsets, references and nesting of every shape reach the reader.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    if (data[0] & 0x80) {
        readBody(QByteArray("bplist00") + QByteArray(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1)));
        return 0;
    }
    const std::size_t chunk = std::size_t(data[0] % 64) + 1;
    IncomingFrames frames;
    for (std::size_t at = 1; at < size; at += chunk) {
        const std::size_t length = std::min(chunk, size - at);
        if (!frames.receive(QByteArrayView(reinterpret_cast<const char*>(data + at), qsizetype(length))))
            return 0;
        while (frames.owedAcknowledgement()) {
            if (std::optional<QByteArray> body = frames.takeBody()) {
                if (body->size() > qsizetype(IncomingFrames::kMaxBody))
                    std::abort();
                readBody(*body);
            }
            if (!frames.acknowledgementWritten())
                return 0;
        }
        if (frames.buffered() > IncomingFrames::kMaxBuffered)
            std::abort();
    }
    return 0;
}
