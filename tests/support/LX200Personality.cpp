#include "LX200Personality.h"

#include <QList>

#include <cmath>

namespace {

using Reply = ColonCommandMount::Reply;
constexpr char kNak = 0x15;
constexpr char kAck = 0x06;

Reply now(QByteArray bytes)
{
    return {{std::move(bytes), ColonCommandMount::Duration(0)}};
}

QByteArray two(int value)
{
    return QByteArray::number(value).rightJustified(2, '0');
}

char xorChecksum(QByteArrayView bytes)
{
    int x = 0;
    for (const char c : bytes)
        x ^= uchar(c);
    return char((x & 127) + 64);
}

// "HH:MM:SS" or "HH:MM.T" as hours; "sDD?MM[:SS]" as degrees.
double sexagesimal(QByteArray text)
{
    double sign = 1.0;
    if (text.startsWith('-') || text.startsWith('+')) {
        sign = text.startsWith('-') ? -1.0 : 1.0;
        text.remove(0, 1);
    }
    for (char& c : text) {
        if (c == char(0xDF) || c == '*')
            c = ':';
    }
    const QList<QByteArray> parts = text.split(':');
    double value = 0.0;
    double unit = 1.0;
    for (const QByteArray& part : parts) {
        value += part.toDouble() * unit;
        unit /= 60.0;
    }
    return sign * value;
}

}  // namespace

LX200Personality::LX200Personality(Kind kind, Options options)
    : m_kind(kind), m_options(std::move(options))
{
    if (kind == Kind::AstroPhysics || kind == Kind::Gemini)
        m_options.star = true;
    m_parameters = {{160, "161"}, {130, "131"}, {150, "0.5"}, {170, "16"}, {140, "800"}};
}

void LX200Personality::setParameter(int id, QByteArray value)
{
    m_parameters[id] = std::move(value);
}

char LX200Personality::separator() const
{
    return m_options.star ? '*' : char(0xDF);
}

QByteArray LX200Personality::raText(double hours) const
{
    const int total = int(std::lround(hours * 3600.0)) % (24 * 3600);
    if (m_options.longFormat)
        return two(total / 3600) + ':' + two(total / 60 % 60) + ':' + two(total % 60) + '#';
    const int tenths = int(std::lround(hours * 600.0)) % (24 * 600);
    return two(tenths / 600) + ':' + two(tenths % 600 / 10) + '.' + QByteArray::number(tenths % 10)
           + '#';
}

QByteArray LX200Personality::decText(double degrees) const
{
    const char sign = degrees < 0.0 ? '-' : '+';
    const int total = int(std::lround(std::abs(degrees) * 3600.0));
    QByteArray out = sign + two(total / 3600) + separator() + two(total / 60 % 60);
    return out + (m_options.longFormat ? ':' + two(total % 60) + '#' : QByteArray("#"));
}

QByteArray LX200Personality::slewBars(bool slewing) const
{
    // A Classic draws 32 cells of bars (0xFF) or blanks; the others one bar.
    if (m_kind == Kind::Classic)
        return QByteArray(slewing ? 8 : 0, char(0xFF)) + QByteArray(slewing ? 24 : 32, ' ') + '#';
    return slewing ? QByteArray("\x7f#") : QByteArray("#");
}

Reply LX200Personality::handshake() const
{
    switch (m_kind) {
    case Kind::Classic: return now("P");
    case Kind::Autostar: return now("A");
    case Kind::GPS: return now("G");
    case Kind::Gemini: return now(m_options.starting ? "b#" : "G#");
    default: return {};
    }
}

Reply LX200Personality::answer(const QByteArray& frame, ColonCommandMount& mount)
{
    Reply reply;
    if (frame[0] == kAck)
        reply = handshake();
    else if (frame[0] == ':')
        reply = meade(frame.mid(1, frame.size() - 2), mount);
    else if (m_kind == Kind::Gemini)
        reply = native(frame, mount);
    if (!reply.empty() && m_busy > 0) {
        --m_busy;
        return now(QByteArray(1, kNak));
    }
    return reply;
}

Reply LX200Personality::meade(const QByteArray& command, ColonCommandMount& mount)
{
    ColonCommandMount::Sky sky = mount.sky();
    const bool gemini = m_kind == Kind::Gemini;
    if (command == "GR")
        return now(raText(sky.ra));
    if (command == "GD")
        return now(decText(sky.dec));
    if (command == "U") {
        m_options.longFormat = !m_options.longFormat;
        return {};
    }
    if (command == "V" && m_kind == Kind::AstroPhysics)
        return now("D#");
    if (command.startsWith("Sr") || command.startsWith("Sd")) {
        (command[1] == 'r' ? sky.targetRA : sky.targetDec) = sexagesimal(command.mid(2));
        mount.setSky(sky);
        return now("1");
    }
    if (command == "MS") {
        mount.startGoto();
        return now("0");
    }
    if (command == "D") {
        if (m_kind != Kind::Classic && m_kind != Kind::Autostar && m_kind != Kind::GPS)
            return {};
        return now(slewBars(mount.isSlewing()));
    }
    if (command == "CM" || command == "CMR" || (gemini && command == "Cm")) {
        sky.ra = sky.targetRA;
        sky.dec = sky.targetDec;
        mount.setSky(sky);
        return now(command == "CMR" ? QByteArray(32, ' ') + '#' : QByteArray(" M31 EX GAL#"));
    }
    if (command == "hP" || command == "KA") {
        sky.parked = true;
        mount.setSky(sky);
        return {};
    }
    if (command.startsWith("SB"))
        return now("1");
    if (command.startsWith("SC")) {
        sky.date = command.mid(2);
        mount.setSky(sky);
        if (m_kind == Kind::AstroPhysics)
            return now(QByteArray(32, ' ') + '#');
        const QByteArray first = "1Updating Planetary Data#";
        const QByteArray second = QByteArray(gemini ? 24 : 32, ' ') + '#';
        return {{first, Duration(0)}, {second, m_options.dateLineLate}};
    }
    if (command.startsWith("SL")) {
        sky.time = command.mid(2);
        mount.setSky(sky);
        return now("1");
    }
    if (command.startsWith("St")) {
        sky.latitude = sexagesimal(command.mid(2));
        mount.setSky(sky);
        return now("1");
    }
    if (command.startsWith("Sg")) {
        sky.westLongitude = std::fmod(sexagesimal(command.mid(2)) + 360.0, 360.0);
        mount.setSky(sky);
        return now("1");
    }
    if (command == "Gt") {
        const int minutes = int(std::lround(std::abs(sky.latitude) * 60.0));
        return now((sky.latitude < 0.0 ? "-" : "+") + two(minutes / 60) + '*' + two(minutes % 60)
                   + '#');
    }
    if (command == "Gg") {
        // A Classic counts 0-360 westward without a sign; the others ±180.
        double west = sky.westLongitude;
        if (m_kind != Kind::Classic && west > 180.0)
            west -= 360.0;
        const int minutes = int(std::lround(std::abs(west) * 60.0));
        const QByteArray degrees = QByteArray::number(minutes / 60).rightJustified(3, '0');
        const QByteArray sign = m_kind == Kind::Classic ? "" : (west < 0.0 ? "-" : "+");
        return now(sign + degrees + '*' + two(minutes % 60) + '#');
    }
    if (gemini && command.startsWith("SG"))
        return now("1");
    if (gemini && command == "GV")
        return now(m_options.version + '#');
    if (gemini && command == "Gv")
        return now(QByteArray(1, mount.isSlewing() ? 'S' : m_options.speedState));
    if (gemini && (command.startsWith("SM") || command.startsWith("SN") || command.startsWith("SO")
                   || command.startsWith("SP")))
        return now("1");
    // Motions, stops, speeds, focus, pulses, stored sites, names: no answer.
    return {};
}

Reply LX200Personality::native(const QByteArray& frame, ColonCommandMount& mount)
{
    const QByteArray body = frame.left(frame.size() - 2);
    if (frame.size() < 7 || frame[frame.size() - 2] != xorChecksum(body)) {
        mount.countBadFrame();
        return {};
    }
    const int id = frame.mid(1, 3).toInt();
    if (frame[0] == '<') {
        const QByteArray value = m_parameters.count(id) ? m_parameters[id] : QByteArray("0");
        return now(value + xorChecksum(value) + '#');
    }
    const QByteArray value = body.mid(5);
    if (id > 160 && id < 170)
        m_parameters[160] = QByteArray::number(id);
    else if (id > 130 && id < 140)
        m_parameters[130] = QByteArray::number(id);
    else
        m_parameters[id] = value;
    return {};
}
