#include "mount/SerialControl.h"

#include "mount/PortIO.h"
#include "mount/ReplyCycles.h"
#include "mount/TerminalSettings.h"
#include "platform/AlertPanel.h"

#include <cerrno>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>

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
    slotFor(kSerialSlotScope)->bridge = &m_bridge;
}

SerialControl::~SerialControl() = default;

void SerialControl::getPortNames(bool everyStream, quint16 chosenPort)
{
    m_everyStream = everyStream;
    const std::vector<SerialPortEntry> found = SerialPortScan::scan(m_extraPorts, everyStream);
    const std::lock_guard lock(m_portsMutex);
    std::vector<bool> kept(m_ports.size());
    for (std::size_t i = 0; i < m_ports.size(); ++i) {
        kept[i] = i + 1 == chosenPort;
        for (const Slot& entry : m_slots) {
            const std::lock_guard settings(entry.settingsMutex);
            kept[i] = kept[i] || (entry.node && entry.path == m_ports[i].path);
        }
    }
    m_ports = SerialPortScan::keepingPlaces(m_ports, found, kept);
}

quint16 SerialControl::maxPorts() const
{
    const std::lock_guard lock(m_portsMutex);
    return quint16(m_ports.size());
}

QStringList SerialControl::portNames() const
{
    const std::lock_guard lock(m_portsMutex);
    QStringList names;
    for (const SerialPortEntry& port : m_ports)
        names.append(port.name);
    return names;
}

QString SerialControl::portName(quint16 portIndex) const
{
    const std::lock_guard lock(m_portsMutex);
    return portIndex < m_ports.size() ? m_ports[portIndex].name : QString();
}

std::optional<QByteArray> SerialControl::portPath(quint16 portIndex) const
{
    const std::lock_guard lock(m_portsMutex);
    if (portIndex >= m_ports.size())
        return std::nullopt;
    return m_ports[portIndex].path;
}

SerialControl::Slot* SerialControl::slotFor(quint16 slot)
{
    return slot >= 1 && slot <= kSerialSlotCount ? &m_slots[slot - 1] : nullptr;
}

const SerialControl::Slot* SerialControl::slotFor(quint16 slot) const
{
    return slot >= 1 && slot <= kSerialSlotCount ? &m_slots[slot - 1] : nullptr;
}

namespace {

// However a device streams or trickles, a drain of pending input ends after
// this many bytes or ticks.
constexpr qsizetype kDrainMostBytes = 4 * kReplyBufferSize;
constexpr int kDrainMostTicks = 30;
// The quiet that ends a reply on a serial port (15 ticks, 250 ms) also ends
// the drain after a bad one: a device's late bytes come within it.
constexpr int kDrainQuietTicks = 15;

}  // namespace

SerialControl::SlotLock::SlotLock(Slot* entry) : m_entry(entry)
{
    if (m_entry == nullptr)
        return;
    m_lock = std::unique_lock(m_entry->exchange);
    carryOutCloses(*m_entry);
}

SerialControl::SlotLock::~SlotLock()
{
    if (m_entry == nullptr)
        return;
    m_lock.unlock();
    // A close asked for while this lock was held: carried out unless another
    // holder took the slot meanwhile, which carries it out in turn.
    if (!m_entry->closeAsked && !m_entry->bridgeCloseAsked)
        return;
    const std::unique_lock again(m_entry->exchange, std::try_to_lock);
    if (again.owns_lock())
        carryOutCloses(*m_entry);
}

void SerialControl::carryOutCloses(Slot& entry)
{
    if (entry.closeAsked.exchange(false))
        closePort(entry);
    if (entry.bridge != nullptr && entry.bridgeCloseAsked.exchange(false))
        entry.bridge->close();
}

void SerialControl::closePort(Slot& entry)
{
    if (!entry.fd.isOpen())
        return;
    // Input goes; output already written still goes out: a command sent just
    // before (a park) reaches the mount although the line closes at once.
    tcflush(entry.fd.get(), TCIFLUSH);
    entry.fd.reset();
    entry.drainOwed = false;
    const std::lock_guard settings(entry.settingsMutex);
    entry.requested.reset();
    entry.node.reset();
    entry.path.clear();
}

std::optional<SerialControl::DeviceNode> SerialControl::nodeOf(const QByteArray& path)
{
    struct stat info {};
    if (::stat(path.constData(), &info) == -1)
        return std::nullopt;
    return DeviceNode{info.st_dev, info.st_ino};
}

quint16 SerialControl::slotHolding(const DeviceNode& node, quint16 except) const
{
    for (quint16 other = 1; other <= kSerialSlotCount; ++other) {
        if (other == except)
            continue;
        const Slot& entry = m_slots[other - 1];
        const std::lock_guard settings(entry.settingsMutex);
        if (entry.node == node)
            return other;
    }
    return 0;
}

quint16 SerialControl::holdingSlot(quint16 portIndex) const
{
    const std::optional<QByteArray> path = portPath(portIndex);
    const std::optional<DeviceNode> node = path ? nodeOf(*path) : std::nullopt;
    return node ? slotHolding(*node, 0) : 0;
}

int SerialControl::serialRefNum(quint16 slot) const
{
    const Slot* entry = slotFor(slot);
    return entry != nullptr ? entry->fd.get() : -1;
}

std::optional<termios> SerialControl::requestedSettings(quint16 slot) const
{
    const Slot* entry = slotFor(slot);
    if (entry == nullptr)
        return std::nullopt;
    const std::lock_guard settings(entry->settingsMutex);
    return entry->requested;
}

bool SerialControl::openSerialDriver(quint16 portIndex, long baud, bool evenParity, quint16 slot)
{
    if (m_isWiFi)
        return false;
    Slot* entry = slotFor(slot);
    if (entry == nullptr)
        return false;
    std::optional<SlotLock> lock(std::in_place, entry);
    // Opening again must not leave the earlier descriptor open and the port locked.
    closePort(*entry);
    const std::optional<QByteArray> listed = portPath(portIndex);
    if (!listed) {
        m_debug("openSerialDriver: fd= -1");
        return false;
    }

    const QByteArray& path = *listed;
    const std::optional<DeviceNode> node = nodeOf(path);
    if (node && isHeldElsewhere(*node, slot)) {
        m_debug("openSerialDriver: port held by another device");
        return false;
    }
    FileDescriptor fd(PortIO::open(path));
    if (!fd.isOpen()) {
        m_debug("openSerialDriver: fd= -1");
        return false;
    }
    if (flock(fd.get(), LOCK_EX | LOCK_NB) == -1) {
        m_debug("openSerialDriver: flock failed");
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
    {
        const std::lock_guard requested(entry->settingsMutex);
        entry->requested = settings;
        entry->node = node;
        entry->path = path;
    }
    lock.reset();
    clearSerialBuffer(slot);
    return true;
}

void SerialControl::closeSerialDriver(quint16 slot)
{
    Slot* entry = slotFor(slot);
    if (m_isWiFi || entry == nullptr)
        return;
    entry->closeAsked = true;
    // A held slot is closed by its holder as it lets go.
    const std::unique_lock lock(entry->exchange, std::try_to_lock);
    if (!lock.owns_lock() || !entry->closeAsked.exchange(false) || !entry->fd.isOpen())
        return;
    tcdrain(entry->fd.get());
    closePort(*entry);
}

SerialControl::PortState SerialControl::portState(quint16 portIndex) const
{
    if (m_isWiFi)
        return PortState::Free;
    const std::optional<QByteArray> path = portPath(portIndex);
    if (!path)
        return PortState::Unopenable;
    const std::optional<DeviceNode> node = nodeOf(*path);
    if (node && isHeldElsewhere(*node, 0))
        return PortState::HeldByThisProgram;
    // The lock taken to try goes with the descriptor.
    const int opened = PortIO::open(*path);
    const int openError = errno;
    const FileDescriptor fd(opened);
    if (!fd.isOpen())
        return openError == EBUSY ? PortState::InUseByAnotherProgram : PortState::Unopenable;
    return flock(fd.get(), LOCK_EX | LOCK_NB) == 0 ? PortState::Free : PortState::InUseByAnotherProgram;
}

DrainResult SerialControl::clearSerialBuffer(quint16 slot)
{
    Slot* entry = slotFor(slot);
    const SlotLock lock(entry);
    if (m_isWiFi) {
        discardBridgeInput();
        return {0, true};
    }
    const int fd = serialRefNum(slot);
    if (fd < 0)
        return {0, true};
    const DrainResult cleared =
        clearHeld(entry, [fd](char* into, qsizetype most) { return PortIO::read(fd, into, most); });
    if (!cleared.quiet)
        m_debug("clearSerialBuffer: the device keeps sending");
    return cleared;
}

DrainResult SerialControl::clearHeld(const Slot* entry, const ReadSome& read) const
{
    const auto end = std::chrono::steady_clock::now() + kDrainMostTicks * m_timing.tick;
    ReplyBuffer dropped;
    qsizetype total = 0;
    while (total < kDrainMostBytes && !isClosing(entry) && std::chrono::steady_clock::now() < end) {
        const qsizetype got = read(dropped.data(), kReplyBufferSize);
        if (got <= 0)
            return {total, true};
        total += got;
    }
    return {total, false};
}

bool SerialControl::setBaudRate(long baud, quint16 slot)
{
    if (m_isWiFi) {
        AlertPanel::beep();
        return true;
    }
    Slot* entry = slotFor(slot);
    const SlotLock lock(entry);
    if (entry == nullptr || !entry->fd.isOpen())
        return false;
    termios settings{};
    const std::optional<speed_t> speed = TerminalSettings::speedCode(baud);
    if (!speed || tcgetattr(entry->fd.get(), &settings) == -1)
        return false;
    {
        const std::lock_guard requested(entry->settingsMutex);
        if (entry->requested) {
            cfsetispeed(&*entry->requested, *speed);
            cfsetospeed(&*entry->requested, *speed);
        }
    }
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
                                ReplyBuffer& reply, quint16 slot, const ReplyEnd& end, QuietLine* quiet)
{
    Slot* entry = slotFor(slot);
    const SlotLock lock(entry);
    if (m_isWiFi)
        return bridgeTransaction(expected, count, out, reply, slot, end);
    const int fd = serialRefNum(slot);
    if (fd < 0)
        return false;
    // Each read takes what came during its wait: a read that also waited
    // for a first byte would stretch a silent device's 40 cycles threefold.
    const auto read = [fd, entry](char* into, qsizetype most) {
        return isClosing(entry) ? qsizetype(-1) : PortIO::readArrived(fd, into, most);
    };
    if (quiet != nullptr) {
        const qint32 refused = clearForQuietWrite(*entry, fd, read, *quiet);
        if (refused < 0) {
            count = refused;
            return false;
        }
    } else {
        if (expected > 0)
            drainIfOwed(*entry, read);
        // Stale input goes; output still on its way (a write-only command
        // just before) is let out rather than discarded.
        tcdrain(fd);
        tcflush(fd, TCIFLUSH);
    }
    return writeAndGather(*entry, fd, read, expected, count, out, reply, slot, end);
}

qint32 SerialControl::clearForQuietWrite(Slot& entry, int fd, const ReadSome& read, QuietLine& quiet)
{
    // A byte now would stop the device's move: the bytes still coming are
    // its progress, and none is dropped unseen by a flush.
    tcdrain(fd);
    bool isMoving = false;
    const auto keeping = [&quiet, &isMoving](ReadSome from) -> ReadSome {
        return [from = std::move(from), &quiet, &isMoving](char* into, qsizetype most) {
            const qsizetype got = from(into, most);
            if (got > 0) {
                quiet.ahead.append(into, got);
                isMoving = quiet.isMotion && quiet.isMotion(quiet.ahead);
            }
            // Motion seen ends the read as an error would.
            return isMoving ? qsizetype(-1) : got;
        };
    };
    // What waits, and what comes within a read's wait for a first byte, is
    // read as a clear reads it; bytes that came owe the drain that waits for
    // the quiet ending a reply.
    const qsizetype before = quiet.ahead.size();
    const DrainResult cleared = clearHeld(
        &entry, keeping([&entry, fd](char* into, qsizetype most) { return readHeld(&entry, fd, into, most); }));
    if (quiet.ahead.size() > before)
        entry.drainOwed = true;
    const bool isQuiet = !isMoving && cleared.quiet && drainIfOwed(entry, keeping(read));
    if (isMoving) {
        m_debug("transaction: the device is moving; nothing written");
        return kTransMoving;
    }
    if (!isQuiet || PortIO::hasPending(fd)) {
        m_debug("transaction: the line is busy; nothing written");
        return kTransLineBusy;
    }
    return 0;
}

bool SerialControl::writeAndGather(Slot& entry, int fd, const ReadSome& read, quint16 expected, qint32& count,
                                   const char* out, ReplyBuffer& reply, quint16 slot, const ReplyEnd& end) const
{
    if (count < 0 || (count > 0 && PortIO::write(fd, out, count) != count)) {
        count = kTransWriteFailed;
        return false;
    }
    if (expected == 0)
        return true;
    const CycleRules rules =
        slot == kSerialSlotDome ? m_timing.domeCycles.value_or(CycleRules::dome())
                                : CycleRules::serial(m_timing.tick);
    const GatheredReply gathered = gatherReply(rules, read, reply, end);
    const bool ok = finishReply(gathered.result, expected, count);
    entry.drainOwed = !ok;
    return ok;
}

void SerialControl::markReplyBad(quint16 slot)
{
    if (Slot* entry = slotFor(slot))
        entry->drainOwed = true;
}

bool SerialControl::drainIfOwed(Slot& entry, const ReadSome& read)
{
    if (!entry.drainOwed.exchange(false))
        return true;
    const DrainRules rules{m_timing.tick, kDrainQuietTicks * m_timing.tick, kDrainMostTicks * m_timing.tick,
                           kDrainMostBytes};
    const DrainResult drained = drainUntilQuiet(rules, read);
    if (drained.dropped > 0)
        m_debug([dropped = drained.dropped] {
            return QString("transaction: %1 bytes of an earlier reply drained").arg(dropped);
        });
    if (!drained.quiet)
        entry.drainOwed = true;
    return drained.quiet;
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
