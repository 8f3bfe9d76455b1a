#pragma once

#include <QtGlobal>

#include <array>

// The device slots of the serial transport: one open port per device class.
constexpr quint16 kSerialSlotScope = 1;    // mount; the only slot the WiFi bridge serves
constexpr quint16 kSerialSlotFocuser = 2;
constexpr quint16 kSerialSlotSG4 = 3;      // SG-4 guider or AllSky camera
constexpr quint16 kSerialSlotDome = 4;     // relay/IO dome board
constexpr quint16 kSerialSlotDDW = 5;      // Digital Dome Works
constexpr int kSerialSlotCount = 5;

// Failures a transaction writes through its count.
constexpr qint32 kTransWriteFailed = -1;
constexpr qint32 kTransReadError = -2;
constexpr qint32 kTransShortReply = -3;   // fewer bytes than expected
constexpr qint32 kTransTimeout = -4;
// The line did not fall quiet before a write that needs it: nothing written.
constexpr qint32 kTransLineBusy = -5;
// Bytes read ahead of a write that needs a quiet line were the device's own
// motion: nothing written.
constexpr qint32 kTransMoving = -6;

// Every exchange and reader fills at most this many bytes of the caller's buffer.
constexpr int kReplyBufferSize = 2048;
using ReplyBuffer = std::array<char, kReplyBufferSize>;
