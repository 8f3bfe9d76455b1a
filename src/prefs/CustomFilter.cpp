#include "prefs/CustomFilter.h"

#include "platform/AlertPanel.h"

#include <QDir>
#include <QFile>

#include <cstring>

namespace {

constexpr char kExtension[] = ".txt";

bool isLetterOrDigit(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }
bool isMessier(char c) { return c == 'M'; }

}  // namespace

void CustomFilter::setupCustomFilters(const QString& folder)
{
    // An empty path would list the working folder.
    const QStringList entries =
        folder.isEmpty() ? QStringList()
                         : QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                                  QDir::Name);
    m_numCustomFilters = int(entries.size());
    m_filterPaths.clear();
    m_filterTitles.clear();
    for (const QString& name : entries) {
        if (name == QLatin1String(".DS_Store"))
            continue;
        const qsizetype extension = name.indexOf(QLatin1String(kExtension));
        if (extension < 0)
            continue;
        m_filterPaths += folder + name;
        m_filterTitles += name.left(extension);
    }
}

bool CustomFilter::setupFilterObjects(int customFilterIndex)
{
    if (customFilterIndex <= 0 || customFilterIndex > m_filterPaths.size())
        return true;
    const QString path = m_filterPaths[customFilterIndex - 1];
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes) {
        AlertPanel::runAlert(QString::fromLatin1(kUnreadableTitle), path);
        return false;
    }
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (bytes.size() > kMaxFileBytes) {
        AlertPanel::runAlert(QString::fromLatin1(kUnreadableTitle), path);
        return false;
    }
    QStringList lines = QString::fromLatin1(bytes).split(u'\n');
    // The terminator of the last line leaves no name after it.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString& line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    m_customFilterObjects = lines;
    m_names = QSet<QString>(lines.begin(), lines.end());
    return true;
}

bool CustomFilter::contains(const char* field, qsizetype size, bool (*firstOk)(char)) const
{
    const qsizetype length = qsizetype(strnlen(field, size_t(size)));
    return length > 0 && firstOk(field[0]) && m_names.contains(QString::fromLatin1(field, length));
}

bool CustomFilter::findFilterObject(const deepSky& object) const
{
    return contains(object.name, sizeof object.name, isLetterOrDigit) ||
           contains(object.messier, sizeof object.messier, isMessier) ||
           contains(object.ngc, sizeof object.ngc, isLetterOrDigit);
}
