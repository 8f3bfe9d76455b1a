#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// The lines of an element file, indexed once. A line is the text up to and
// including its break; a break is a line feed, a carriage return, or a
// carriage return followed by a line feed, so files with any mix of the
// three read alike. A break at the very end does not start another line.
class TextLines {
public:
    // With several slices the text is scanned on that many threads at once;
    // the index is the same whatever their number.
    explicit TextLines(std::string_view text, int slices = 1);

    std::size_t count() const { return m_starts.size() - 1; }
    // Line i with its break.
    std::string_view line(std::size_t i) const
    {
        return m_text.substr(m_starts[i], m_starts[i + 1] - m_starts[i]);
    }
    // Line i without its break.
    std::string_view content(std::size_t i) const { return withoutBreak(line(i)); }
    // Whether every character is ASCII and none is a NUL, as
    // ElementFile::isAscii says, found by the scan for the lines.
    bool isAscii() const { return m_isAscii; }

    static std::string_view withoutBreak(std::string_view line);

private:
    std::string_view m_text;
    std::vector<std::size_t> m_starts;  // count() + 1 offsets; the last is the text's end
    bool m_isAscii = true;
};
