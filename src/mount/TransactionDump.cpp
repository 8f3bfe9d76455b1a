#include "mount/TransactionDump.h"

namespace {

constexpr qsizetype kDumpBytes = 42;

QString hexDump(QString line, QByteArrayView bytes)
{
    for (const char byte : bytes.first(std::min(bytes.size(), kDumpBytes)))
        line += QStringLiteral("%1 ").arg(quint8(byte), 2, 16, QLatin1Char('0')).toUpper();
    return line;
}

}  // namespace

QString transactionOutDump(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return QStringLiteral("outDump: 0 sent");
    return hexDump(QStringLiteral("outDump: "), bytes);
}

QString transactionDump(QByteArrayView reply)
{
    if (reply.isEmpty())
        return QStringLiteral("dump: 0 returned");
    return hexDump(QStringLiteral("dump: "), reply);
}
