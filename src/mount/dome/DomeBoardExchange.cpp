#include "mount/dome/DomeBoardExchange.h"

#include "mount/SerialControl.h"

namespace {

constexpr std::chrono::milliseconds kSettle{2};
// The speed scan tries the fastest first.
constexpr quint16 kFastestCode = 6;

}  // namespace

std::optional<int> DomeBoardExchange::readInputs() const
{
    serial().clearSerialBuffer(kSerialSlotDome);
    return m_board.readInputs();
}

DomeSetupResult DomeBoardExchange::setup(quint16 code, bool configure) const
{
    DomeSetupResult result;
    debug()("domeSetup");
    pause(1);
    if (!m_board.enterSetup())
        return result;
    debug()("domeSetup: in setup mode");
    result.ok = true;
    if (code != 0) {
        serial().clearSerialBuffer(kSerialSlotDome);
        result.speedSet = m_board.setSpeed(code);
        result.ok = result.speedSet;
        if (result.speedSet)
            debug()([&] { return QString::asprintf("domeSetup: baud= %d", int(code)); });
        pause(1);
    }
    if (result.ok && configure) {
        serial().clearSerialBuffer(kSerialSlotDome);
        result.ok = m_board.configureIO();
        if (result.ok) {
            debug()("domeSetup: config I/O");
            pause(1);
            serial().clearSerialBuffer(kSerialSlotDome);
            // Configured only once both steps took.
            result.configured = result.ok = m_board.configure50ms();
            if (result.configured)
                debug()("domeSetup: config 50ms");
        }
        pause(1);
    }
    m_board.leaveSetup();
    debug()("domeSetup: leave setup mode");
    // The board runs at its new speed once out of its set-up mode: the line
    // follows, or what still goes out before the close (a disconnect's
    // relays-off) would be noise to the board.
    if (result.speedSet) {
        pause(kSettle);
        if (!serial().setBaudRate(DomeBoard::baudOf(code), kSerialSlotDome))
            debug()("domeSetup: the line kept its speed");
    }
    return result;
}

SlotExchange::PortSearch DomeBoardExchange::findAt(quint16 chosen, quint16 ports, long baud,
                                                   const std::function<bool()>& wanted) const
{
    const SlotExchange atSpeed(serial(), slot(), baud, debug(), ScopeThreadTiming{});
    return atSpeed.searchFrom(chosen, ports, [this] { return m_board.test(); }, wanted);
}

void DomeBoardExchange::scanSpeeds(DomeConnection& found, quint16 ports,
                                   const std::function<bool()>& wanted) const
{
    for (quint16 index = 0; index < ports; ++index) {
        for (quint16 code = kFastestCode; code >= 1; --code) {
            if (!wanted())
                return;
            const long baud = DomeBoard::baudOf(code);
            debug()([&] { return QString::asprintf("domeConnect: retry@baud= %ld", baud); });
            if (!serial().serialPortAvailable(index)
                || !serial().openSerialDriver(index, baud, false, kSerialSlotDome))
                continue;
            pause(kSettle);
            const bool answered = m_board.test();
            serial().closeSerialDriver(kSerialSlotDome);
            if (answered) {
                found.code = code;
                found.speedScanned = true;
                found.port = findAt(index + 1, ports, baud, wanted).port;
                return;
            }
        }
    }
}

DomeConnection DomeBoardExchange::connect(const DomeConnectAsk& ask,
                                          const std::function<bool()>& wanted) const
{
    DomeConnection found;
    found.code = ask.code;
    const long baud = DomeBoard::baudOf(ask.code);
    debug()([&] { return QString::asprintf("domeConnect: baud= %d, speed= %ld", int(ask.code), baud); });
    found.ports = findAt(ask.chosen, ask.ports, baud, wanted);
    found.port = found.ports.port;
    if (found.port == 0)
        scanSpeeds(found, ask.ports, wanted);
    if (found.port == 0)
        return found;
    if (!ask.isBoardSetup) {
        pause(kSettle);
        found.setup = setup(found.code, true);
        if (found.setup->ok)
            return found;
    }
    if (ask.readHome) {
        pause(kSettle);
        found.inputs = readInputs();
    }
    return found;
}
