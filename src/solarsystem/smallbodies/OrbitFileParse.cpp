#include "solarsystem/smallbodies/OrbitFileParse.h"

#include "solarsystem/smallbodies/OrbitLine.h"
#include "solarsystem/smallbodies/ProgressCounter.h"
#include "solarsystem/smallbodies/SliceRunner.h"
#include "solarsystem/smallbodies/TextLines.h"

#include <algorithm>
#include <atomic>
#include <optional>

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

// Each slice looks for a stop request this often.
constexpr std::size_t kLinesPerCount = 1024;

// Where the block starting at `from` ends: at a line's end (a CR-LF taken
// whole) at least `bytes` on, or at the text's end.
std::size_t blockEnd(std::string_view text, std::size_t from, std::size_t bytes)
{
    if (text.size() - from <= bytes)
        return text.size();
    const std::size_t lineBreak = text.find_first_of("\r\n", from + bytes - 1);
    if (lineBreak == std::string_view::npos)
        return text.size();
    const bool isCrLf = text[lineBreak] == '\r' && lineBreak + 1 < text.size() && text[lineBreak + 1] == '\n';
    return lineBreak + (isCrLf ? 2 : 1);
}

// Lines [first, end) of a block, parsed straight into their places in the
// table from `out` on, which leaves out the separator when it comes before
// them; a refused line leaves a gap at the slice's end.
struct Slice {
    std::size_t first = 0;
    std::size_t end = 0;
    std::size_t out = 0;
    std::size_t kept = 0;
    std::size_t refused = 0;
};

// The file's lines so far, block by block.
class OrbitBlocks {
public:
    OrbitBlocks(std::string_view text, bool allOrbits, int slices, std::vector<minorPlanet>& table,
                std::stop_token stop)
        : m_text(text), m_allOrbits(allOrbits), m_slices(std::max(slices, 1)), m_table(table),
          m_stop(std::move(stop))
    {
    }

    // Reads the block [from, to): Ok, Stopped or NotAscii.
    OrbitFileParse::Status read(std::size_t from, std::size_t to, const std::function<void(double percent)>& report)
    {
        const TextLines lines(m_text.substr(from, to - from), m_slices);
        if (!lines.isAscii())
            return OrbitFileParse::Status::NotAscii;
        std::size_t first = 0;
        if (!m_hasRule) {
            // The file's first line is never the rule.
            first = m_lineCount == 0 ? 1 : 0;
            while (first < lines.count() && !isRuleLine(lines.content(first)))
                ++first;
            m_hasRule = first < lines.count();
            ++first;
        }
        const std::size_t recordBase = m_recordLines;
        if (m_hasRule && first < lines.count()) {
            if (!m_separator) {
                for (std::size_t i = first; i < lines.count() && !m_separator; ++i) {
                    if (isSeparator(lines.line(i)))
                        m_separator = recordBase + (i - first);
                }
            }
            m_recordLines += lines.count() - first;
            std::size_t askedEnd = lines.count();
            if (!m_allOrbits && m_separator)
                askedEnd = first + std::min(lines.count() - first, *m_separator - std::min(*m_separator, recordBase));
            if (askedEnd > first && !parse(lines, first, askedEnd, recordBase, report))
                return OrbitFileParse::Status::Stopped;
        }
        m_lineCount += lines.count();
        return OrbitFileParse::Status::Ok;
    }

    bool hasRule() const { return m_hasRule; }
    std::size_t recordLines() const { return m_recordLines; }
    std::size_t numberedOrbits() const { return m_separator.value_or(m_recordLines); }
    std::size_t refusedLines() const { return m_refused; }

private:
    // Block lines [first, end), record lines from `recordBase` on, appended to the table.
    bool parse(const TextLines& lines, std::size_t first, std::size_t end,
               std::size_t recordBase, const std::function<void(double percent)>& report)
    {
        const std::size_t count = end - first;
        const std::size_t base = m_table.size();
        m_table.resize(base + count);
        const std::size_t k = std::size_t(m_slices);
        const std::size_t per = count / k;
        // The separator's position in the block; `count` or more when it is not there.
        const std::size_t separator =
            m_separator && *m_separator >= recordBase ? *m_separator - recordBase : count;
        std::vector<Slice> parts(k);
        for (std::size_t j = 0; j < k; ++j) {
            parts[j].first = j * per;
            parts[j].end = j + 1 == k ? count : (j + 1) * per;
            parts[j].out = parts[j].first - (separator < parts[j].first ? 1 : 0);
        }
        std::atomic<bool> stopped{false};
        const auto work = [&](int slice) {
            Slice& part = parts[std::size_t(slice)];
            for (std::size_t position = part.first; position < part.end; ++position) {
                const std::string_view line = lines.line(first + position);
                if ((position - part.first) % kLinesPerCount == 0 && m_stop.stop_requested()) {
                    stopped.store(true, std::memory_order_relaxed);
                    return;
                }
                if (slice == 0)
                    m_progress.offer(100.0 * double(line.data() - m_text.data()) / double(m_text.size()));
                const std::size_t record = recordBase + position;
                if (record == m_separator)
                    continue;
                // Read in place, into a record the table's growth cleared;
                // a refused line's leavings are cleared again for the next.
                minorPlanet& parsed = m_table[base + part.out + part.kept];
                if (!OrbitLine::parse(TextLines::withoutBreak(line), parsed)) {
                    parsed = minorPlanet{};
                    ++part.refused;
                    continue;
                }
                parsed.source = m_separator && record > *m_separator ? kMPSourceUnnumbered : kMPSourceNumbered;
                parsed.index = std::uint32_t(base + part.out + part.kept);
                ++part.kept;
            }
        };
        SliceRunner::run(int(k), work, &m_progress, report);
        if (stopped.load(std::memory_order_relaxed))
            return false;
        // Close the refused lines' gaps: each slice's records move down over
        // those before. The separator left none: in a table of a million
        // records, half of them would move.
        std::size_t placed = base;
        for (const Slice& part : parts) {
            m_refused += part.refused;
            const std::size_t at = base + part.out;
            const std::size_t gap = at - placed;
            for (std::size_t i = 0; gap > 0 && i < part.kept; ++i) {
                minorPlanet& moved = m_table[placed + i];
                moved = m_table[at + i];
                moved.index -= std::uint32_t(gap);
            }
            placed += part.kept;
        }
        m_table.resize(placed);
        return true;
    }

    std::string_view m_text;
    bool m_allOrbits;
    int m_slices;
    std::vector<minorPlanet>& m_table;
    std::stop_token m_stop;
    bool m_hasRule = false;
    std::size_t m_lineCount = 0;    // lines of the blocks read
    std::size_t m_recordLines = 0;  // of them after the rule
    std::optional<std::size_t> m_separator;  // as a record line
    std::size_t m_refused = 0;
    // Offered by each block's first slice in turn.
    ProgressCounter m_progress;
};

}  // namespace

OrbitFileParse::Result OrbitFileParse::parse(std::string_view text, bool allOrbits, int slices,
                                             const std::function<void(double percent)>& report,
                                             std::stop_token stop,
                                             const std::function<void(std::size_t bytes)>& doneWith,
                                             std::size_t blockBytes)
{
    Result result;
    std::vector<minorPlanet>& table = result.minorPlanets;
    // Every orbit line holds at least kMinimumLength characters and a break:
    // with this reserved the table never moves while it grows, and the part
    // of the reserve no record fills is never touched, so it takes no memory.
    table.reserve(text.size() / (OrbitLine::kMinimumLength + 1) + 1);
    OrbitBlocks blocks(text, allOrbits, slices, table, std::move(stop));
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t to = blockEnd(text, from, std::max<std::size_t>(blockBytes, 1));
        result.status = blocks.read(from, to, report);
        if (result.status != Status::Ok)
            break;
        from = to;
        if (doneWith)
            doneWith(from);
    }
    result.recordLines = blocks.recordLines();
    result.numberedOrbits = blocks.numberedOrbits();
    result.refusedLines = blocks.refusedLines();
    if (result.status == Status::Ok && !blocks.hasRule())
        result.status = Status::NoRuleLine;
    else if (result.status == Status::Ok && result.recordLines < kMinimumRecordLines)
        result.status = Status::TooFewRecordLines;
    if (result.status != Status::Ok)
        std::vector<minorPlanet>().swap(table);
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
