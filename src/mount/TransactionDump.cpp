#include "mount/TransactionDump.h"

namespace {

constexpr qsizetype kDumpBytes = 42;

}  // namespace

QString transactionOutDump(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return QStringLiteral("outDump: 0 sent");
    QString line = QStringLiteral("outDump: ");
    for (const char byte : bytes.first(std::min(bytes.size(), kDumpBytes)))
        line += QStringLiteral("%1 ").arg(quint8(byte), 2, 16, QLatin1Char('0')).toUpper();
    return line;
}
