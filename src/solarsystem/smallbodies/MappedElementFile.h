#pragma once

#include <QFile>
#include <QString>

#include <optional>
#include <string_view>

// An element file mapped into memory instead of read into a copy: the full
// orbit file is hundreds of megabytes, and its copy would cost about as much
// time as the parse and as much memory as the table it makes. The text is
// valid while this object lives. Its characters are not checked here: the
// parse does as it reads them, so that each page is read in once.
class MappedElementFile {
public:
    explicit MappedElementFile(const QString& path);
    MappedElementFile(const MappedElementFile&) = delete;
    MappedElementFile& operator=(const MappedElementFile&) = delete;

    // The file's text; none when it cannot be read.
    std::optional<std::string_view> text() const { return m_text; }
    // Lets the memory of the text's first `bytes` go; they read the same
    // when read again, from the disk or its cache.
    void release(std::size_t bytes) const;

private:
    QFile m_file;
    std::optional<std::string_view> m_text;
};
