#pragma once

#include "mount/PanelCommand.h"

#include <QByteArray>
#include <QtGlobal>

#include <optional>

// Numbered messages between the main thread and the mount worker.
constexpr int kScopeMsgCheckin = 100;          // worker → main
constexpr int kScopeMsgGoto = 102;
constexpr int kScopeMsgPoll = 103;
constexpr int kScopeMsgPosition = 104;         // worker → main
constexpr int kScopeMsgLX200Command = 105;
constexpr int kScopeMsgTemmaCommand = 106;
constexpr int kScopeMsgNexStarCommand = 107;
constexpr int kScopeMsgGeminiCommand = 108;
constexpr int kScopeMsgIOptronCommand = 110;
constexpr int kScopeMsgSlewDetect = 114;
constexpr int kScopeMsgIEQ45Command = 115;
constexpr int kScopeMsgOperation = 116;        // one family operation, carried whole
constexpr int kScopeMsgPollFailed = 117;       // worker → main
constexpr int kScopeMsgLineLost = 118;         // worker → main: the mount's line hung up
constexpr int kScopeMsgJob = 119;              // work the main thread handed over
constexpr int kDomeMsgTrack = 200;
constexpr int kDomeMsgCalibrate = 201;
constexpr int kDomeMsgHome = 202;
constexpr int kDomeMsgRelayWestOn = 203;
constexpr int kDomeMsgRelayEastOn = 204;
constexpr int kSG4MsgImageDownload = 300;
constexpr int kSG4MsgAllSkyMovie = 301;        // main → worker → main

// A goto's payload: right ascension and declination (radians, machine
// order doubles) and 8 reserved zero bytes.
struct GotoPayload {
    double ra;
    double dec;
    quint64 reserved;
};
static_assert(sizeof(GotoPayload) == 24);

// One message: its id, its byte block (empty, a GotoPayload or a 4-byte
// command code in machine order), the keyboard modifiers held on the main
// thread when it was posted, which a few commands read, and the operation of
// an operation message.
struct ScopeMessage {
    int id = 0;
    QByteArray payload;
    Qt::KeyboardModifiers modifiers;
    PanelCommand operation;

    static ScopeMessage gotoMessage(double ra, double dec);
    static ScopeMessage command(int id, qint32 code, Qt::KeyboardModifiers modifiers = {});
    static ScopeMessage operationMessage(const PanelCommand& command);

    // The payload read back; none when the block has the wrong size.
    std::optional<GotoPayload> gotoTarget() const;
    std::optional<qint32> code() const;
};
