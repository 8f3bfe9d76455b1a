#include "solarsystem/smallbodies/MappedElementFile.h"

#include <algorithm>

#include <sys/mman.h>
#include <unistd.h>

MappedElementFile::MappedElementFile(const QString& path) : m_file(path)
{
    if (!m_file.open(QIODevice::ReadOnly))
        return;
    const qint64 size = m_file.size();
    if (size == 0) {
        m_text = std::string_view();
        return;
    }
    const uchar* bytes = m_file.map(0, size);
    if (!bytes)
        return;
    m_text = std::string_view(reinterpret_cast<const char*>(bytes), std::size_t(size));
}

void MappedElementFile::release(std::size_t bytes) const
{
    if (!m_text || m_text->empty())
        return;
    // Whole pages only; the mapping starts on one.
    const auto page = std::size_t(sysconf(_SC_PAGESIZE));
    const std::size_t whole = std::min(bytes, m_text->size()) / page * page;
    if (whole > 0)
        madvise(const_cast<char*>(m_text->data()), whole, MADV_DONTNEED);
}
