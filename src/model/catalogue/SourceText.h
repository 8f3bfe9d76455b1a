#pragma once

#include <QByteArray>
#include <QString>

#include <string_view>
#include <utility>
#include <vector>

// A catalogue source text ("BuildStar.txt", "Horizon2.txt" …): a count line
// whose first field is the number of records N, then one record a line with
// its fields separated by single tabs. Lines may end in LF, CR LF or CR; the
// text is taken byte for byte.
class SourceText {
public:
    // False when the file cannot be read.
    bool read(const QString& path);
    static SourceText fromBytes(QByteArray bytes);

    // N as the count line declares it (0 when it has no number). It is a
    // claim only: recordLineCount() says how many record lines there are.
    long long declaredCount() const { return m_declaredCount; }
    std::size_t recordLineCount() const { return m_lines.empty() ? 0 : m_lines.size() - 1; }

    // Record line i (0 is the line after the count line) split at every tab.
    // `fields` is reused so that a long text is split without allocating.
    void splitRecord(std::size_t i, std::vector<std::string_view>& fields) const;

private:
    void index();

    QByteArray m_bytes;
    std::vector<std::pair<qsizetype, qsizetype>> m_lines;  // offset, length
    long long m_declaredCount = 0;
};
