#include "IOptronSimulator.h"

#include <QList>
#include <QString>

#include <cmath>
#include <numbers>

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

// "HH:MM:SS[.S]" or "sDD*MM:SS" as a number of hours or degrees.
double sexagesimal(const QByteArray& text)
{
    const QByteArray body = text.trimmed();
    const bool negative = body.startsWith('-');
    QByteArray digits = body;
    digits.replace('*', ':');
    const QList<QByteArray> parts = digits.mid(negative || body.startsWith('+') ? 1 : 0).split(':');
    double value = 0.0;
    double scale = 1.0;
    for (const QByteArray& part : parts) {
        value += part.toDouble() * scale;
        scale /= 60.0;
    }
    return negative ? -value : value;
}

}  // namespace

IOptronSimulator::IOptronSimulator(bool iEQ45) : m_iEQ45(iEQ45)
{
    serve([this](const QByteArray& pending) { return respond(pending); });
}

MountSimulator::Response IOptronSimulator::respond(const QByteArray& pending)
{
    if (pending[0] != ':')
        return noise();
    const qsizetype end = pending.indexOf('#');
    if (end < 0)
        return {};
    return reply(end + 1, answer(pending.mid(1, end - 1)));
}

QByteArray IOptronSimulator::answer(const QByteArray& command)
{
    if (command == "GAM")
        return QByteArray(1, m_type);
    if (command == "GTR" || command == "GGS")
        return "0";
    if (command == "V")
        return "V1.00#";
    if (command == "MountInfo")
        return "0045";
    if (command == "SE?")
        return stillSlewing() ? "1" : "0";
    if (command == "GR") {
        // The iEQ45 is never asked whether it slews: its gotos advance with the polls.
        if (m_iEQ45)
            stillSlewing();
        const long seconds = std::lround(m_ra / kDegree / 15.0 * 3600.0) % 86400;
        const QString form = m_iEQ45 ? "%2ld:%02ld:%02ld#" : "%02ld:%02ld:%02ld.0#";
        return QString::asprintf(form.toLatin1().constData(), seconds / 3600, seconds / 60 % 60, seconds % 60)
            .toLatin1();
    }
    if (command == "GD") {
        const long seconds = std::lround(std::abs(m_dec) / kDegree * 3600.0);
        return QString::asprintf("%c%02ld*%02ld:%02ld#", m_dec < 0.0 ? '-' : '+', seconds / 3600,
                                 seconds / 60 % 60, seconds % 60)
            .toLatin1();
    }
    if (command.startsWith("Sr ")) {
        m_targetRA = sexagesimal(command.mid(3)) * 15.0 * kDegree;
        return "1";
    }
    if (command.startsWith("Sd ")) {
        m_targetDec = sexagesimal(command.mid(3)) * kDegree;
        return "1";
    }
    if (command == "MS") {
        if (m_silentStart)
            return {};
        startGoto(m_targetRA, m_targetDec);
        return m_iEQ45 ? "1" : "0";
    }
    // The stop ends a running goto where the mount stands; like the moves it is unanswered.
    if (command == "Q" || command == "q") {
        cancelGoto();
        return {};
    }
    if (command == "CM") {
        setPositionLocked(m_targetRA, m_targetDec);
        return m_iEQ45 ? "1" : "Coordinates matched.        #";
    }
    // The iOptron's date: two lines of 32 blanks, each ended by '#'.
    if (command.startsWith("SC ") && !m_iEQ45)
        return QByteArray(32, ' ') + '#' + QByteArray(32, ' ') + '#';
    // Settings and park answer "1"; motion and speed commands nothing.
    static const char* kAnswered[] = {"SC ", "SL ", "SG ", "St ", "Sg ", "PK", "STPKP", "MH"};
    for (const char* prefix : kAnswered)
        if (command.startsWith(prefix))
            return "1";
    return {};
}
