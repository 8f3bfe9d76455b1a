#pragma once

#include <QByteArray>
#include <QFile>

#include <cstddef>
#include <optional>
#include <string_view>

// One deep-star zone file, read whole: "mag<TAB>ra<TAB>dec" lines (degrees,
// J2000), rising right ascension, any usual line terminator. The file is
// mapped when it can be, so a redraw copies nothing.
class HT2ZoneFile {
public:
    struct Line {
        float mag;
        double ra;   // degrees
        double dec;  // degrees
    };

    // An unreadable file leaves the text empty.
    explicit HT2ZoneFile(const QString& path);
    HT2ZoneFile(const HT2ZoneFile&) = delete;
    HT2ZoneFile& operator=(const HT2ZoneFile&) = delete;

    std::string_view text() const { return m_text; }

    // The line from `position` to its terminator; `position` moves past the
    // terminator. Nothing when the line is not three numbers split by tabs.
    static std::optional<Line> readLine(std::string_view text, std::size_t& position);

private:
    QFile m_file;
    QByteArray m_copy;  // when the file cannot be mapped
    std::string_view m_text;
};
