#include "solarsystem/OrbitFileParse.h"

#include "solarsystem/OrbitLine.h"
#include "solarsystem/ProgressCounter.h"
#include "solarsystem/SliceRunner.h"
#include "solarsystem/TextLines.h"

#include <algorithm>

namespace {

bool isRuleLine(std::string_view line)
{
    return line.size() >= 7 && line.substr(2, 5) == "-----";
}

bool isSeparator(std::string_view lineWithBreak)
{
    for (std::size_t i = 0; i < 2; ++i) {
        if (i >= lineWithBreak.size())
            return true;
        const char c = lineWithBreak[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f')
            return true;
    }
    return false;
}

struct Slice {
    std::size_t first = 0;
    std::size_t end = 0;
    std::size_t kept = 0;
};

}  // namespace

OrbitFileParse::Result OrbitFileParse::parse(std::string_view text, bool allOrbits, int slices,
                                             const std::function<void(double percent)>& report)
{
    Result result;
    const TextLines lines(text);
    std::size_t rule = 1;
    while (rule < lines.count() && !isRuleLine(lines.content(rule)))
        ++rule;
    if (rule >= lines.count()) {
        result.status = Status::NoRuleLine;
        return result;
    }
    const std::size_t firstRecord = rule + 1;
    result.recordLines = lines.count() - firstRecord;
    if (result.recordLines < kMinimumRecordLines) {
        result.status = Status::TooFewRecordLines;
        return result;
    }

    std::size_t separator = 0;
    while (separator < result.recordLines && !isSeparator(lines.line(firstRecord + separator)))
        ++separator;
    result.numberedOrbits = separator;
    const std::size_t count = allOrbits ? result.recordLines : separator;

    // Each slice fills the table from its own first line on; the slices are
    // closed up once all have finished.
    std::vector<minorPlanet>& table = result.minorPlanets;
    table.resize(count);
    const int k = std::max(slices, 1);
    const std::size_t per = count / std::size_t(k);
    std::vector<Slice> parts(std::size_t(k), Slice{});
    for (std::size_t j = 0; j < parts.size(); ++j) {
        parts[j].first = j * per;
        parts[j].end = j + 1 == parts.size() ? count : (j + 1) * per;
    }

    ProgressCounter progress;
    const auto work = [&](int slice) {
        Slice& part = parts[std::size_t(slice)];
        for (std::size_t position = part.first; position < part.end; ++position) {
            if (position == separator)
                continue;
            minorPlanet& record = table[part.first + part.kept];
            if (!OrbitLine::parse(lines.content(firstRecord + position), record))
                continue;
            record.source = position < separator ? kMPSourceNumbered : kMPSourceUnnumbered;
            ++part.kept;
            if (slice == 0 && per > 0)
                progress.offer(100.0 * double(position) / double(per));
        }
    };
    SliceRunner::run(k, work, &progress, report);

    std::size_t kept = 0;
    for (const Slice& part : parts) {
        if (kept != part.first)
            std::copy(table.begin() + std::ptrdiff_t(part.first),
                      table.begin() + std::ptrdiff_t(part.first + part.kept),
                      table.begin() + std::ptrdiff_t(kept));
        kept += part.kept;
    }
    table.resize(kept);
    for (std::size_t i = 0; i < kept; ++i)
        table[i].index = std::uint32_t(i);
    return result;
}
