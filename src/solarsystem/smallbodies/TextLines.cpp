#include "solarsystem/smallbodies/TextLines.h"

#include "solarsystem/smallbodies/ElementFile.h"
#include "solarsystem/smallbodies/SliceRunner.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Every line start that follows a break at a position in [from, to). The
// carriage return of a CR-LF pair starts nothing; its line feed does. Only
// the character after each break is looked at beyond the range, so ranges
// can be scanned independently. Whether the range is ASCII is found on the
// way, so that a large file is read once.
class StartScanner {
public:
    StartScanner(std::string_view text, std::vector<std::size_t>& starts)
        : m_text(text), m_starts(starts) {}

    // Whether the range holds only ASCII characters other than NUL.
    bool scan(std::size_t from, std::size_t to)
    {
        std::size_t q = from;
        bool isAscii = true;
#if defined(__SSE2__)
        // Sixteen characters a step; most steps of an element file hold no break.
        const __m128i lineFeed = _mm_set1_epi8('\n');
        const __m128i carriageReturn = _mm_set1_epi8('\r');
        const __m128i zero = _mm_setzero_si128();
        __m128i unusual = zero;  // high bits, and NULs as 0xFF
        for (; q + 16 <= to; q += 16) {
            const __m128i chunk =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(m_text.data() + q));
            unusual = _mm_or_si128(unusual, _mm_or_si128(chunk, _mm_cmpeq_epi8(chunk, zero)));
            unsigned mask = unsigned(_mm_movemask_epi8(_mm_or_si128(
                _mm_cmpeq_epi8(chunk, lineFeed), _mm_cmpeq_epi8(chunk, carriageReturn))));
            while (mask != 0) {
                found(q + std::size_t(__builtin_ctz(mask)));
                mask &= mask - 1;
            }
        }
        isAscii = _mm_movemask_epi8(unusual) == 0;
#endif
        const std::size_t tail = q;
        for (; q < to; ++q) {
            if (m_text[q] == '\n' || m_text[q] == '\r')
                found(q);
        }
        return isAscii && ElementFile::isAscii(m_text.substr(tail, to - tail));
    }

private:
    void found(std::size_t breakAt)
    {
        const std::size_t next = breakAt + 1;
        if (next == m_text.size() || (m_text[breakAt] == '\r' && m_text[next] == '\n'))
            return;
        m_starts.push_back(next);
    }

    std::string_view m_text;
    std::vector<std::size_t>& m_starts;
};

}  // namespace

TextLines::TextLines(std::string_view text, int slices)
    : m_text(text)
{
    const std::size_t k = std::size_t(std::max(slices, 1));
    const std::size_t per = text.size() / k;
    std::vector<std::vector<std::size_t>> parts(k);
    std::vector<char> isAscii(k, 1);
    const auto scanSlice = [&](int slice) {
        const std::size_t j = std::size_t(slice);
        std::vector<std::size_t>& starts = parts[j];
        const std::size_t from = j * per;
        const std::size_t to = j + 1 == k ? text.size() : from + per;
        starts.reserve((to - from) / 64 + 1);
        isAscii[j] = StartScanner(text, starts).scan(from, to);
    };
    if (k == 1)
        scanSlice(0);
    else
        SliceRunner::run(int(k), scanSlice);

    std::size_t total = 2;
    for (const std::vector<std::size_t>& part : parts)
        total += part.size();
    m_starts.reserve(total);
    if (!text.empty())
        m_starts.push_back(0);
    for (const std::vector<std::size_t>& part : parts)
        m_starts.insert(m_starts.end(), part.begin(), part.end());
    m_starts.push_back(text.size());
    m_isAscii = std::ranges::all_of(isAscii, [](char sliceIsAscii) { return sliceIsAscii != 0; });
}

std::string_view TextLines::withoutBreak(std::string_view line)
{
    if (!line.empty() && line.back() == '\n')
        line.remove_suffix(1);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}
