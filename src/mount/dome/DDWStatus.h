#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <optional>

// The Digital Dome Works controller's status record: comma-separated ASCII
// fields, at least 22, the first starting with "V".
struct DDWStatus {
    QString versionStr;    // field 0
    quint16 Dticks = 0;    // field 1: encoder ticks per dome turn
    quint16 Home1 = 0;     // field 2
    quint16 Coast = 0;     // field 3
    quint16 ADAZ = 0;      // field 4: dome azimuth in ticks
    quint16 Slave = 0;     // field 5
    quint16 Shutter = 0;   // field 6: 0 undefined, 1 closed, other open
    quint16 DSRStatus = 0; // field 7: 0 undefined, 1 closed, 2 open
    quint16 Home = 0;      // field 8: 0 = at home
    quint8 pinState = 0;   // field 11: output pins, bit 0 = pin 1
    quint16 SCOPEAZ = 0;   // field 20
};

constexpr qsizetype kDDWStatusFields = 22;
constexpr quint16 kDDWDSROpen = 2;

// The record in `text`, which ends where the reply or the reader stopped;
// none when it is short, does not start with "V", or a field it uses is not
// a number that fits.
std::optional<DDWStatus> parseDDWStatus(QByteArrayView text);
