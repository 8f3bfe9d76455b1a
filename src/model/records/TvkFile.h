#pragma once

#include "platform/Prefault.h"
#include "platform/SafeWrite.h"

#include <QFile>
#include <QString>

#include <algorithm>
#include <bit>
#include <cstring>
#include <span>
#include <type_traits>
#include <vector>

// Binary tables (".tvk"): a raw little-endian dump of fixed-size records with
// no header; the count is the file length over the record size. Every record
// type supplies terminateTextFields(record&), which forces each text field to
// end in a NUL so a damaged file can never make a reader run off a field.
namespace TvkFile {

static_assert(std::endian::native == std::endian::little,
              "records are stored in the machine's byte order, which must be little-endian");

template <class Record>
concept TableRecord = std::is_trivially_copyable_v<Record> && requires(Record& r) {
    terminateTextFields(r);
};

// Whole records in `bytes`; the bytes of a trailing partial record are ignored.
template <TableRecord Record>
std::vector<Record> fromBytes(const QByteArray& bytes)
{
    const std::size_t count = std::size_t(bytes.size()) / sizeof(Record);
    std::vector<Record> records(count);
    if (count > 0)
        std::memcpy(records.data(), bytes.constData(), count * sizeof(Record));
    for (Record& r : records)
        terminateTextFields(r);
    return records;
}

// Records closed in blocks this large while still in the processor's cache.
inline constexpr std::size_t kLoadBlockBytes = std::size_t(1) << 19;

// Reads a table; false (and no records) when the file cannot be read. The
// records pass through one block-sized buffer into the table, each block's
// text fields closed while it is in the cache: a cache of a million records
// would otherwise be cleared, then read over, then gone through once more.
// The table's memory is faulted in at once. Read, not mapped: a file cut
// short by another program while it is read fails the load instead of
// stopping the program.
template <TableRecord Record>
bool load(const QString& path, std::vector<Record>& records)
{
    QFile file(path);
    records.clear();
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    if (file.isSequential() || size < 0) {
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return false;
        records = fromBytes<Record>(bytes);
        return true;
    }
    const std::size_t count = std::size_t(size) / sizeof(Record);
    std::vector<Record> block(std::min(count, std::max<std::size_t>(1, kLoadBlockBytes / sizeof(Record))));
    records.reserve(count);
    Prefault::forWriting(records.data(), count * sizeof(Record));
    while (records.size() < count) {
        const std::size_t first = records.size();
        const std::size_t n = std::min(block.size(), count - first);
        const auto wanted = qint64(n * sizeof(Record));
        if (file.read(reinterpret_cast<char*>(block.data()), wanted) != wanted) {
            // Shortened while read, or unreadable: nothing rather than a part.
            records.clear();
            return false;
        }
        records.insert(records.end(), block.begin(), block.begin() + std::ptrdiff_t(n));
        for (std::size_t i = first; i < records.size(); ++i)
            terminateTextFields(records[i]);
    }
    return true;
}

// The file's bytes of a table.
template <TableRecord Record>
QByteArrayView bytesOf(std::span<const Record> records)
{
    return QByteArrayView(reinterpret_cast<const char*>(records.data()), qsizetype(records.size_bytes()));
}

// Writes a table atomically: on any failure the old file stays as it was.
template <TableRecord Record>
bool save(const QString& path, std::span<const Record> records)
{
    return SafeWrite::replace(path, bytesOf(records)).isEmpty();
}

}  // namespace TvkFile
