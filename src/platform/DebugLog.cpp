#include "platform/DebugLog.h"

#include "platform/AppTimeZone.h"
#include "platform/MacRoman.h"
#include "platform/SafeWrite.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QSysInfo>

namespace {

// Processor family and model from the kernel, the nearest thing to a CPU type and subtype.
std::pair<int, int> processorType()
{
    QFile cpuinfo("/proc/cpuinfo");
    int family = 0, model = 0;
    if (!cpuinfo.open(QIODevice::ReadOnly))
        return {family, model};
    bool haveFamily = false, haveModel = false;
    while (!cpuinfo.atEnd() && !(haveFamily && haveModel)) {
        const QByteArray line = cpuinfo.readLine();
        const qsizetype colon = line.indexOf(':');
        if (colon < 0)
            continue;
        const QByteArray key = line.left(colon).trimmed();
        const int value = line.mid(colon + 1).trimmed().toInt();
        if (key == "cpu family" && !haveFamily) {
            family = value;
            haveFamily = true;
        } else if (key == "model" && !haveModel) {
            model = value;
            haveModel = true;
        }
    }
    return {family, model};
}

}  // namespace

DebugLog::DebugLog(QString miscDirectory) : m_path(std::move(miscDirectory) + "/DebugLog.txt") {}

void DebugLog::setPortListProvider(std::function<QStringList()> provider)
{
    m_portList = std::move(provider);
}

QString DebugLog::header(const QDateTime& moment) const
{
    const QLocale c = QLocale::c();
    QString text = "*** Norvane Pro  " + c.toString(moment, "dd MMM yyyy HH:mm:ss") + " ***\r\r";
    const QString version = QCoreApplication::applicationVersion();
    if (!version.isEmpty())
        text += "Version: " + version + "\r";
    text += QSysInfo::productType() + ": " + QSysInfo::productVersion() + "\r";
    const auto [type, subtype] = processorType();
    text += QString("CPU: %1, Subtype: %2").arg(type).arg(subtype) + "\r";
    if (m_portList) {
        for (const QString& port : m_portList())
            text += port + "\r";
    }
    return text;
}

QString DebugLog::entryPrefix(const QDateTime& moment)
{
    return "\r" + QLocale::c().toString(moment, "HH:mm:ss:zzz") + "  ";
}

bool DebugLog::writeDebugFile(const QString& message) const
{
    const std::lock_guard lock(m_appendLock);
    return append(message);
}

bool DebugLog::append(const QString& message) const
{
    const QDateTime moment = AppTimeZone::now();
    // A log without its whole header is taken away; the next entry starts it
    // again. Another program may have started it meanwhile.
    if (!QFile::exists(m_path)
        && !SafeWrite::append(m_path, MacRoman::encode(header(moment)), SafeWrite::Append::New).isEmpty()
        && !QFile::exists(m_path))
        return false;
    // Unrepresentable characters are written as '?' rather than losing the entry.
    return SafeWrite::append(m_path, MacRoman::encode(entryPrefix(moment) + message),
                             SafeWrite::Append::Existing)
        .isEmpty();
}
