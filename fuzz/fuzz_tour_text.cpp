#include "find/tours/PlannerExport.h"
#include "find/tours/TourFile.h"

#include "platform/MacRoman.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

// Tour files and planner exports, as read from disk in Mac OS Roman.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = MacRoman::decode(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    TourFile::splitLines(text);
    if (PlannerExport::isExport(text))
        PlannerExport::parse(text);
    return 0;
}
