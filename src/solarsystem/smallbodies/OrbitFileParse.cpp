#include "solarsystem/smallbodies/OrbitFileParse.h"

#include "solarsystem/smallbodies/OrbitLine.h"
#include "solarsystem/smallbodies/ProgressCounter.h"
#include "solarsystem/smallbodies/SliceRunner.h"
#include "solarsystem/smallbodies/TextLines.h"

#include <algorithm>
#include <atomic>

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

// Line 1 on (the first line is never the rule); the count when there is none.
std::size_t ruleLine(const TextLines& lines)
{
    std::size_t rule = 1;
    while (rule < lines.count() && !isRuleLine(lines.content(rule)))
        ++rule;
    return rule;
}

struct Slice {
    std::size_t first = 0;
    std::size_t end = 0;
    std::vector<minorPlanet> kept;  // `index` counted within the slice
    std::size_t refused = 0;
};

// Each slice adds its parsed bytes to the shared count this often, so that
// the slices do not contend for it line by line.
constexpr std::size_t kLinesPerCount = 1024;

}  // namespace

OrbitFileParse::Result OrbitFileParse::parse(std::string_view text, bool allOrbits, int slices,
                                             const std::function<void(double percent)>& report,
                                             std::stop_token stop)
{
    Result result;
    const TextLines lines(text, slices);
    const std::size_t rule = ruleLine(lines);
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

    // Each slice keeps its records apart, so that every thread writes (and
    // first touches) its own memory; the slices are joined once all have finished.
    const int k = std::max(slices, 1);
    const std::size_t per = count / std::size_t(k);
    std::vector<Slice> parts(static_cast<std::size_t>(k));
    for (std::size_t j = 0; j < parts.size(); ++j) {
        parts[j].first = j * per;
        parts[j].end = j + 1 == parts.size() ? count : (j + 1) * per;
        parts[j].kept.reserve(parts[j].end - parts[j].first);
    }

    // The lines asked for span these bytes; the first slice reports the share
    // of them all slices have parsed.
    std::size_t bytesAsked = 0;
    if (count > 0) {
        const std::string_view first = lines.line(firstRecord);
        const std::string_view last = lines.line(firstRecord + count - 1);
        bytesAsked = std::size_t(last.data() + last.size() - first.data());
    }
    std::atomic<std::size_t> bytesParsed{0};
    std::atomic<bool> stopped{false};
    ProgressCounter progress;
    const auto work = [&](int slice) {
        Slice& part = parts[std::size_t(slice)];
        std::size_t uncounted = 0;
        for (std::size_t position = part.first; position < part.end; ++position) {
            if ((position - part.first) % kLinesPerCount == 0) {
                bytesParsed.fetch_add(uncounted, std::memory_order_relaxed);
                uncounted = 0;
                if (stop.stop_requested()) {
                    stopped.store(true, std::memory_order_relaxed);
                    return;
                }
            }
            if (slice == 0)
                progress.offer(100.0 * double(bytesParsed.load(std::memory_order_relaxed) + uncounted)
                               / double(bytesAsked));
            const std::string_view line = lines.line(firstRecord + position);
            uncounted += line.size();
            if (position == separator)
                continue;
            minorPlanet record{};
            if (!OrbitLine::parse(TextLines::withoutBreak(line), record)) {
                ++part.refused;
                continue;
            }
            record.source = position < separator ? kMPSourceNumbered : kMPSourceUnnumbered;
            record.index = std::uint32_t(part.kept.size());
            part.kept.push_back(record);
        }
    };
    SliceRunner::run(k, work, &progress, report);
    if (stopped.load(std::memory_order_relaxed)) {
        result.status = Status::Stopped;
        return result;
    }

    for (const Slice& part : parts)
        result.refusedLines += part.refused;
    std::vector<minorPlanet>& table = result.minorPlanets;
    if (parts.size() == 1) {
        table.swap(parts.front().kept);
        return result;
    }
    std::size_t kept = 0;
    for (const Slice& part : parts)
        kept += part.kept.size();
    table.reserve(kept);
    for (Slice& part : parts) {
        const std::size_t offset = table.size();
        table.insert(table.end(), part.kept.begin(), part.kept.end());
        std::vector<minorPlanet>().swap(part.kept);
        for (std::size_t i = offset; i < table.size(); ++i)
            table[i].index += std::uint32_t(offset);
    }
    return result;
}

bool OrbitFileParse::startsWithOrbits(std::string_view head)
{
    // Only whole lines count: the head may end inside one.
    const std::size_t lastBreak = head.find_last_of("\r\n");
    if (lastBreak == std::string_view::npos)
        return false;
    const TextLines lines(head.substr(0, lastBreak + 1));
    const std::size_t firstRecord = ruleLine(lines) + 1;
    if (firstRecord + kMinimumRecordLines > lines.count())
        return false;
    for (std::size_t i = 0; i < kMinimumRecordLines; ++i) {
        minorPlanet record{};
        if (!OrbitLine::parse(lines.content(firstRecord + i), record))
            return false;
    }
    return true;
}
