#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The JMI focuser's wire format: a command is one lower-case letter,
// followed for some commands by an unsigned 16-bit value, high byte first;
// the focuser echoes the letter, followed for some commands by data. A
// reply is the bytes an exchange read, or nothing when it failed.
namespace JMIProtocol {

using Reply = std::optional<QByteArray>;

constexpr char kID = 'b';
constexpr char kIDAnswer = 'j';
constexpr char kStatus = 't';
constexpr char kPosition = 'p';
constexpr char kMoveIn = 'i';
constexpr char kMoveOut = 'o';
constexpr char kStop = 's';
constexpr char kGoto = 'g';
constexpr char kZero = 'z';
constexpr char kMaximum = 'w';
constexpr char kPosnSpeed = 'd';
constexpr char kMoveSpeed = 'e';
constexpr char kShuttleSpeed = 'f';
constexpr char kInitialize = 'h';
// What a position request finds instead of its echo once a go-to ended.
constexpr char kGotoComplete = 'c';
// The other byte the focuser sends unasked when a move ends.
constexpr char kMoveEnd = 'r';

// Status codes: the exchange failed, the echo was wrong, no bit set.
constexpr int kStatusFailed = -2;
constexpr int kStatusBadEcho = -1;
constexpr int kStatusConnected = 0;
constexpr int kStatusAtMax = 8;

QByteArray command(char letter);
QByteArray command(char letter, quint16 value);

// True when the reply starts with the command's letter.
bool isEcho(const Reply& reply, char letter);
// The connect probe is judged by its second byte only.
bool isIDAnswer(const Reply& reply);
// The position of a whole "p" reply.
std::optional<quint16> position(const Reply& reply);
bool isGotoComplete(const Reply& reply);
// The status of a "t" reply: the first of bits 0x02, 0x04, 0x08, 0x40, 0x80
// found gives 2, 3, 4, 7, 8; none gives 0.
int statusCode(const Reply& reply);
// The window's text for a status code; empty for one it does not show.
QString statusText(int code);
// The first reply byte as the debug log shows it.
QChar firstByte(const Reply& reply);

}  // namespace JMIProtocol
