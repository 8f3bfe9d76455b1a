#include "platform/StringTables.h"

#include "platform/DataPaths.h"

#include <QFile>
#include <QMutex>
#include <QMutexLocker>

namespace {

struct TableCache {
    QMutex mutex;
    QString folder;
    QHash<QString, QHash<QString, QString>> tables;
};

TableCache& cache()
{
    static TableCache c;
    return c;
}

// Reads one quoted string starting at text[pos] == '"'; returns false on a bad
// quote. A string never spans lines, so an unclosed quote costs one line only.
bool readQuoted(const QString& text, qsizetype& pos, QString& out)
{
    if (pos >= text.size() || text[pos] != u'"')
        return false;
    ++pos;
    out.clear();
    while (pos < text.size()) {
        if (text[pos] == u'\n')
            return false;
        const QChar c = text[pos++];
        if (c == u'"')
            return true;
        if (c == u'\\' && pos < text.size()) {
            const QChar e = text[pos++];
            if (e == u'n')
                out += u'\n';
            else if (e == u'r')
                out += u'\r';
            else if (e == u't')
                out += u'\t';
            else
                out += e;
        } else {
            out += c;
        }
    }
    return false;
}

void skipSpaceAndComments(const QString& text, qsizetype& pos)
{
    while (pos < text.size()) {
        if (text[pos].isSpace()) {
            ++pos;
        } else if (text.mid(pos, 2) == u"//") {
            const qsizetype end = text.indexOf(u'\n', pos);
            pos = end < 0 ? text.size() : end + 1;
        } else if (text.mid(pos, 2) == u"/*") {
            const qsizetype end = text.indexOf(u"*/", pos + 2);
            pos = end < 0 ? text.size() : end + 2;
        } else {
            return;
        }
    }
}

}  // namespace

QHash<QString, QString> StringTables::parse(const QString& text)
{
    QHash<QString, QString> entries;
    qsizetype pos = 0;
    while (true) {
        skipSpaceAndComments(text, pos);
        if (pos >= text.size())
            break;
        QString key, value;
        bool ok = readQuoted(text, pos, key);
        if (ok) {
            skipSpaceAndComments(text, pos);
            ok = pos < text.size() && text[pos] == u'=';
            ++pos;
        }
        if (ok) {
            skipSpaceAndComments(text, pos);
            ok = readQuoted(text, pos, value);
        }
        if (ok) {
            skipSpaceAndComments(text, pos);
            ok = pos < text.size() && text[pos] == u';';
        }
        if (ok) {
            entries.insert(key, value);
            ++pos;
        } else {
            // Resynchronise at the next line so one bad entry costs only itself.
            const qsizetype end = text.indexOf(u'\n', pos);
            if (end < 0)
                break;
            pos = end + 1;
        }
    }
    return entries;
}

void StringTables::setFolder(const QString& folder)
{
    TableCache& c = cache();
    QMutexLocker lock(&c.mutex);
    c.folder = folder;
    c.tables.clear();
}

QString StringTables::localizedString(const QString& table, const QString& key)
{
    TableCache& c = cache();
    QMutexLocker lock(&c.mutex);
    auto it = c.tables.find(table);
    if (it == c.tables.end()) {
        if (c.folder.isEmpty())
            c.folder = DataPaths::bundleResourcesFolder() + "/English";
        QFile file(c.folder + "/" + table + ".strings");
        QHash<QString, QString> entries;
        if (file.open(QIODevice::ReadOnly))
            entries = parse(QString::fromUtf8(file.readAll()));
        it = c.tables.insert(table, entries);
    }
    return it->value(key, key);
}
