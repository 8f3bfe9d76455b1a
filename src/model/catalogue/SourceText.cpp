#include "model/catalogue/SourceText.h"

#include "platform/NumberReader.h"

#include <QFile>

bool SourceText::read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    *this = fromBytes(std::move(bytes));
    return true;
}

SourceText SourceText::fromBytes(QByteArray bytes)
{
    SourceText text;
    text.m_bytes = std::move(bytes);
    text.index();
    return text;
}

void SourceText::index()
{
    const char* data = m_bytes.constData();
    const qsizetype size = m_bytes.size();
    qsizetype start = 0;
    while (start < size) {
        qsizetype end = start;
        while (end < size && data[end] != '\n' && data[end] != '\r')
            ++end;
        m_lines.emplace_back(start, end - start);
        if (end + 1 < size && data[end] == '\r' && data[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    if (m_lines.empty())
        return;
    const std::string_view countLine(data + m_lines[0].first, std::size_t(m_lines[0].second));
    m_declaredCount = NumberReader::readInteger(countLine.substr(0, countLine.find('\t')));
}

void SourceText::splitRecord(std::size_t i, std::vector<std::string_view>& fields) const
{
    fields.clear();
    const auto [offset, length] = m_lines.at(i + 1);
    std::string_view line(m_bytes.constData() + offset, std::size_t(length));
    while (true) {
        const std::size_t tab = line.find('\t');
        fields.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos)
            return;
        line.remove_prefix(tab + 1);
    }
}
