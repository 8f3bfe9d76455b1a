#include "remote/IncomingFrames.h"
#include "remote/MessageValues.h"
#include "remote/PropertyList.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// The companion's incoming bytes, in reads of any size: the framing never
// buffers past its cap, every body is at most the cap, and every body either
// reads as a dictionary that survives being written and read again, or is
// refused.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
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
                if (std::optional<QVariantMap> message = PropertyList::readDictionary(*body)) {
                    MessageValues::text(*message, MessageValues::kCommand);
                    MessageValues::number(*message, QStringLiteral("rightAscension"));
                    if (!PropertyList::readDictionary(PropertyList::toXml(*message)))
                        std::abort();
                }
            }
            if (!frames.acknowledgementWritten())
                return 0;
        }
        if (frames.buffered() > IncomingFrames::kMaxBuffered)
            std::abort();
    }
    return 0;
}
