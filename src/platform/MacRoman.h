#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The Mac OS Roman character set, one byte per character, used by the
// program's text files that other tools exchange (debug log, URL list,
// element files).
namespace MacRoman {

// Bytes 0x00-0x7F are ASCII; the upper half maps through the standard table.
QString decode(QByteArrayView bytes);

// Characters outside the set become '?' and clear *ok (when given).
QByteArray encode(const QString& text, bool* ok = nullptr);

}  // namespace MacRoman
