#include "mount/SerialControl.h"

#include "mount/PortIO.h"
#include "mount/ReplyCycles.h"
#include "mount/TerminalSettings.h"
#include "platform/AlertPanel.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>

#include <thread>

SerialControl::SerialControl(DebugWriter debug, SerialTiming timing, QObject* parent)
    : QObject(parent),
      m_debug(std::move(debug)),
      m_timing(timing),
      m_wifiIPAddress(kDefaultWifiIPAddress),
      m_wifiPortNumber(kDefaultWifiPortNumber)
{
    m_wifiTimer.setSingleShot(true);
    connect(&m_wifiTimer, &QTimer::timeout, this, &SerialControl::wifiTimer);
}

SerialControl::~SerialControl() = default;

void SerialControl::getPortNames(bool everyStream)
{
    m_ports = SerialPortScan::scan(m_extraPorts, everyStream);
}

QStringList SerialControl::portNames() const
{
    QStringList names;
    for (const SerialPortEntry& port : m_ports)
        names.append(port.name);
    return names;
}

SerialControl::Slot* SerialControl::slotFor(quint16 slot)
{
    return slot >= 1 && slot <= kSerialSlotCount ? &m_slots[slot - 1] : nullptr;
}

const SerialControl::Slot* SerialControl::slotFor(quint16 slot) const
{
    return slot >= 1 && slot <= kSerialSlotCount ? &m_slots[slot - 1] : nullptr;
}

std::unique_lock<std::mutex> SerialControl::lockSlot(Slot* entry)
{
    return entry != nullptr ? std::unique_lock(entry->exchange) : std::unique_lock<std::mutex>();
}

int SerialControl::serialRefNum(quint16 slot) const
{
    const Slot* entry = slotFor(slot);
    return entry != nullptr ? entry->fd.get() : -1;
}

std::optional<termios> SerialControl::requestedSettings(quint16 slot) const
{
    const Slot* entry = slotFor(slot);
    if (entry == nullptr || !entry->fd.isOpen())
        return std::nullopt;
    return entry->requested;
}

bool SerialControl::openSerialDriver(quint16 portIndex, long baud, bool evenParity, quint16 slot)
{
    if (m_isWiFi)
        return false;
    Slot* entry = slotFor(slot);
    if (entry == nullptr)
        return false;
    std::unique_lock lock = lockSlot(entry);
    // Opening again must not leave the earlier descriptor open and the port locked.
    entry->fd.reset();
    if (portIndex >= m_ports.size()) {
        m_debug("openSerialDriver: fd= -1");
        return false;
    }

    FileDescriptor fd(PortIO::open(m_ports[portIndex].path));
    if (!fd.isOpen()) {
        m_debug("openSerialDriver: fd= -1");
        return false;
    }
    if (fcntl(fd.get(), F_SETFL, 0) == -1) {
        m_debug("openSerialDriver: F_SETFL failed");
        return false;
    }
    if (ioctl(fd.get(), TIOCEXCL) == -1) {
        m_debug("openSerialDriver: TIOCEXCL failed");
        return false;
    }
    termios current{};
    if (tcgetattr(fd.get(), &current) == -1) {
        m_debug("openSerialDriver: TTYAttrs failed");
        return false;
    }
    termios settings = TerminalSettings::raw(current, evenParity, slot != kSerialSlotDome);
    const std::optional<speed_t> speed = TerminalSettings::speedCode(baud);
    if (!speed || cfsetispeed(&settings, *speed) == -1 || cfsetospeed(&settings, *speed) == -1
        || tcsetattr(fd.get(), TCSAFLUSH, &settings) == -1) {
        m_debug("openSerialDriver: TCSAFLUSH failed");
        return false;
    }
    entry->fd = std::move(fd);
    entry->requested = settings;
    lock.unlock();
    clearSerialBuffer(slot);
    return true;
}

void SerialControl::closeSerialDriver(quint16 slot)
{
    Slot* entry = slotFor(slot);
    const std::unique_lock lock = lockSlot(entry);
    if (m_isWiFi || entry == nullptr || !entry->fd.isOpen())
        return;
    tcdrain(entry->fd.get());
    tcflush(entry->fd.get(), TCIOFLUSH);
    entry->fd.reset();
}

bool SerialControl::serialPortAvailable(quint16 portIndex) const
{
    if (m_isWiFi)
        return true;
    if (portIndex >= m_ports.size())
        return false;
    return FileDescriptor(PortIO::open(m_ports[portIndex].path)).isOpen();
}

void SerialControl::clearSerialBuffer(quint16 slot)
{
    const std::unique_lock lock = lockSlot(slotFor(slot));
    if (m_isWiFi) {
        discardBridgeInput();
        return;
    }
    const int fd = serialRefNum(slot);
    if (fd < 0)
        return;
    ReplyBuffer dropped;
    while (PortIO::read(fd, dropped.data(), kReplyBufferSize) > 0) {
    }
}

bool SerialControl::setBaudRate(long baud, quint16 slot)
{
    if (m_isWiFi) {
        AlertPanel::beep();
        return true;
    }
    Slot* entry = slotFor(slot);
    const std::unique_lock lock = lockSlot(entry);
    if (entry == nullptr || !entry->fd.isOpen())
        return false;
    termios settings{};
    const std::optional<speed_t> speed = TerminalSettings::speedCode(baud);
    if (!speed || tcgetattr(entry->fd.get(), &settings) == -1)
        return false;
    cfsetispeed(&entry->requested, *speed);
    cfsetospeed(&entry->requested, *speed);
    cfsetispeed(&settings, *speed);
    cfsetospeed(&settings, *speed);
    return tcsetattr(entry->fd.get(), TCSAFLUSH, &settings) == 0;
}

bool SerialControl::isHungUp(quint16 slot)
{
    Slot* entry = slotFor(slot);
    if (entry == nullptr)
        return false;
    const std::unique_lock lock(entry->exchange, std::try_to_lock);
    if (!lock.owns_lock())
        return false;
    if (!m_isWiFi)
        return entry->fd.isOpen() && PortIO::hungUp(entry->fd.get());
    if (slot != kSerialSlotScope)
        return false;
    if (!m_hasWiFi || !m_bridge.isOpen())
        return true;
    // A peer that closed in order is readable with nothing to read.
    pollfd watched{m_bridge.fd(), POLLIN | POLLRDHUP, 0};
    return ::poll(&watched, 1, 0) > 0
           && (watched.revents & (POLLHUP | POLLRDHUP | POLLERR | POLLNVAL)) != 0;
}

bool SerialControl::transaction(quint16 expected, qint32& count, const char* out,
                                ReplyBuffer& reply, quint16 slot, const ReplyEnd& end)
{
    const std::unique_lock lock = lockSlot(slotFor(slot));
    if (m_isWiFi)
        return bridgeTransaction(expected, count, out, reply, slot, end);
    const int fd = serialRefNum(slot);
    if (fd < 0)
        return false;
    // Stale input goes; output still on its way (a write-only command just
    // before) is let out rather than discarded.
    tcdrain(fd);
    tcflush(fd, TCIFLUSH);
    if (count < 0 || (count > 0 && PortIO::write(fd, out, count) != count)) {
        count = kTransWriteFailed;
        return false;
    }
    if (expected == 0)
        return true;
    const CycleRules rules =
        slot == kSerialSlotDome ? m_timing.domeCycles.value_or(CycleRules::dome())
                                : CycleRules::serial(m_timing.tick);
    const auto read = [fd](char* into, qsizetype most) { return PortIO::read(fd, into, most); };
    const GatheredReply gathered = gatherReply(rules, read, reply, end);
    return finishReply(gathered.result, expected, count);
}

bool SerialControl::finishReply(qint32 gathered, quint16 expected, qint32& count) const
{
    if (gathered >= 0 && gathered < expected)
        gathered = kTransShortReply;
    count = gathered;
    return gathered >= 0;
}

void SerialControl::pause(int ticks) const
{
    std::this_thread::sleep_for(ticks * m_timing.tick);
}
