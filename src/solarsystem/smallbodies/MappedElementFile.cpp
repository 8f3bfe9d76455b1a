#include "solarsystem/smallbodies/MappedElementFile.h"

#include "solarsystem/smallbodies/ElementFile.h"

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
    const std::string_view text(reinterpret_cast<const char*>(bytes), std::size_t(size));
    if (ElementFile::isAscii(text))
        m_text = text;
}
