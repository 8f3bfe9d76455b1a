#pragma once

#include <QByteArrayView>
#include <QString>

// The debug log's picture of bytes sent or received: "outDump: " and at most
// the first 42 bytes as upper-case hex pairs, or "outDump: 0 sent".
QString transactionOutDump(QByteArrayView bytes);

// The same picture of a reply: "dump: " and its bytes, or "dump: 0 returned".
QString transactionDump(QByteArrayView reply);
