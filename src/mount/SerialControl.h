#pragma once

#include "model/settings/links/WifiBridge.h"
#include "mount/BridgeSocket.h"
#include "mount/DebugWriter.h"
#include "mount/FileDescriptor.h"
#include "mount/ReplyCycles.h"
#include "mount/SerialPortScan.h"
#include "mount/SerialSlots.h"

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>
#include <QStringList>
#include <QTimer>

#include <sys/types.h>
#include <termios.h>

#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

class BridgeMount;
class RoboFocusPosition;
class WiFiView;

// The transport's clocks; devices under test run on a shorter tick.
struct SerialTiming {
    // The unit of the readers' waits and of the serial exchange's cycles: 1/60 s.
    std::chrono::microseconds tick{16667};
    std::chrono::milliseconds wifiOpenTimeout{30000};
    // The dome board's reply cycles; the board's own when unset.
    std::optional<CycleRules> domeCycles = std::nullopt;
};

// The one serial transport every serial device shares: the port list, one
// open port per device slot, the write-then-read exchange, the readers of
// devices that talk unasked, and the WiFi bridge that can stand in for the
// mount's port. Exchanges block their thread: each device's run on its own
// port's worker (the mount's, PortWorkers). Each slot belongs to one device
// class and a port is open on one slot at most; an exchange
// holds its slot's lock, so that two threads' exchanges on one slot never
// interleave, and a drain of pending input is bounded in bytes and time.
//
// Its parts: ports, slots and the exchange (SerialControl.cpp), the stream
// readers (SerialReaders.cpp) and the bridge (SerialBridge.cpp).
class SerialControl : public QObject, public WifiBridge {
    Q_OBJECT
public:
    explicit SerialControl(DebugWriter debug = {}, SerialTiming timing = {},
                           QObject* parent = nullptr);
    ~SerialControl() override;

    // Other objects reached when set; each is skipped while unset.
    void setRoboControl(RoboFocusPosition* robo) { m_robo = robo; }
    void setWiFiView(WiFiView* view) { m_view = view; }
    void setBridgeMount(BridgeMount* mount) { m_mount = mount; }
    // Device paths listed ahead of the scanned ports.
    void setExtraPorts(const QStringList& paths) { m_extraPorts = paths; }

    // Ports, listed afresh. `everyStream` (Alt held) adds the built-in and
    // Bluetooth ports. The ports open on a slot, and the chosen one (from
    // 1; 0 for none), stay at their indexes: a connected device's index
    // and the Connect menu's choice keep meaning their ports. The list is
    // guarded: a worker's open never reads an entry a listing frees.
    void getPortNames(bool everyStream = false, quint16 chosenPort = 0);
    // A device's search lists the ports afresh as the last listing did,
    // with or without every stream, so that a port plugged in since is tried.
    void relistPorts(quint16 chosenPort) { getPortNames(m_everyStream, chosenPort); }
    quint16 maxPorts() const;
    QStringList portNames() const;
    // The name of list entry `portIndex`; empty beyond the list.
    QString portName(quint16 portIndex) const;

    // Refuses a port another slot holds, whatever the system lets through
    // (root passes the exclusive-use lock), and takes an advisory lock on
    // the line that every program honours, so two never share it.
    bool openSerialDriver(quint16 portIndex, long baud, bool evenParity, quint16 slot);
    void closeSerialDriver(quint16 slot);
    enum class PortState {
        Free,
        HeldByThisProgram,      // open on a slot
        InUseByAnotherProgram,  // the line's lock, or its exclusive use, taken
        Unopenable,             // beyond the list, gone, or refused
    };
    // Whether a device's search may open list entry `portIndex`; Free for
    // every port while the bridge is in use.
    PortState portState(quint16 portIndex) const;
    // False for a port open on any slot, or locked by another program.
    bool serialPortAvailable(quint16 portIndex) const { return portState(portIndex) == PortState::Free; }
    // The slot that has list entry `portIndex` open; 0 for none.
    quint16 holdingSlot(quint16 portIndex) const;
    // Reads and drops what is pending: what it dropped, and whether the
    // line fell quiet (a closed slot is quiet) or the device kept sending.
    DrainResult clearSerialBuffer(quint16 slot);
    bool setBaudRate(long baud, quint16 slot);
    // True when the slot's device has gone: a port that hung up, a bridge
    // whose peer closed or reset. False while an exchange holds the slot
    // (it sees the loss itself) and for a closed slot.
    bool isHungUp(quint16 slot);
    // The descriptor open on a slot, -1 when closed.
    int serialRefNum(quint16 slot) const;
    // The terminal settings the slot's port was given. A pseudo-terminal
    // keeps no parity, so these, not the port's, say what was asked.
    std::optional<termios> requestedSettings(quint16 slot) const;

    // Closing a slot never waits for the exchange in progress: that exchange
    // ends at its next read with kTransReadError and the port closes then.
    //
    // Writes `count` bytes of `out` and reads the reply into `reply`. On
    // success `count` becomes the bytes read (at least `expected`; none read
    // when `expected` is 0, and `count` stays the bytes written); on failure
    // one of the kTrans results. A closed slot, or a slot the bridge does
    // not serve, gives false and leaves `count` alone. With a reply end the
    // read goes on until the reply is complete or the last cycle has passed.
    //
    // An exchange that ends badly (no reply in time, a short one, a read
    // error) leaves the rest of its reply owed: the next exchange on the slot
    // that reads a reply first drains the line until it has been quiet for
    // the time that ends a reply, so that bytes coming late are not read as
    // the head of its own reply. A write-only exchange (a stop) never waits
    // for that drain; the next reading one does it.
    //
    // With `quiet` (a device that takes any byte it receives while it moves
    // as a stop) nothing ahead of the write is flushed or dropped unseen: the
    // line is read as clearSerialBuffer reads it, then, when bytes came or a
    // drain is owed, until the quiet that ends a reply, and every byte read
    // is kept in `quiet->ahead`. Bytes that `quiet->isMotion` finds to be the
    // device's own motion write nothing (kTransMoving); a line that did not
    // fall quiet writes nothing either (kTransLineBusy), its drain still owed.
    struct QuietLine {
        std::function<bool(QByteArrayView ahead)> isMotion;
        QByteArray ahead;
    };
    bool transaction(quint16 expected, qint32& count, const char* out, ReplyBuffer& reply,
                     quint16 slot, const ReplyEnd& end = {}, QuietLine* quiet = nullptr);
    // The caller found the last reply on `slot` bad (garbled, refused, not
    // its command's), which only it can tell: the next reading exchange
    // drains the line first, as after one that failed.
    void markReplyBad(quint16 slot);

    // Readers of devices that talk unasked. Each gives its failure value at
    // once while the bridge is in use or its slot is closed, and each ends
    // within 120 ticks whatever the device sends. Each holds its slot as an
    // exchange does: a close ends it at its next read.
    long readOptecStream(ReplyBuffer& buffer);
    bool readRoboFocus(ReplyBuffer& buffer);
    // The same read without the 20-tick wait (its caller waits on a timer),
    // into `robo` rather than the layer set by setRoboControl.
    bool readRoboFocusNow(ReplyBuffer& buffer, RoboFocusPosition& robo);
    // RoboFocus bytes as that reader takes them into `robo`: each step echo
    // counts and marks the motor moving; a whole "FD" record ends the move
    // at its position, and the scan.
    static void scanRoboFocus(QByteArrayView bytes, RoboFocusPosition& robo);
    bool readJMIStream();
    bool isSG4ExpDone();
    long getSG4Response(std::span<char> buffer);
    bool getSG4Image(std::span<char> buffer, qint64 expected, qint64& count, float seconds,
                     bool skipStatusBytes);
    char getSG4Byte();
    // The length of a record starting with "V" copied to the start of
    // `buffer` and ended by a NUL; 0 when none came.
    qsizetype readDDWStream(ReplyBuffer& buffer);

    quint16 optecUnits() const { return m_optecUnits; }
    float optecTemp() const { return m_optecTemp; }
    bool isSG4Timeout() const { return m_isSG4Timeout; }

    // The bridge. openWiFi() connects, or cancels a connected bridge.
    // Closing the bridge never waits for the exchange in progress: that
    // exchange ends at its next read and the socket closes then.
    bool openWiFi();
    void cancelWiFi();
    void killWiFi();
    bool isWiFi() const { return m_isWiFi; }
    void setIsWiFi(bool inUse) { m_isWiFi = inUse; }
    bool hasWiFi() const { return m_hasWiFi; }

    void setWifiIPAddress(const QString& address) override { m_wifiIPAddress = address; }
    void setWifiPortNumber(const QString& port) override { m_wifiPortNumber = port; }
    QString wifiIPAddress() const override { return m_wifiIPAddress; }
    QString wifiPortNumber() const override { return m_wifiPortNumber; }

private:
    struct DeviceNode {
        dev_t device;
        ino_t inode;
        bool operator==(const DeviceNode&) const = default;
    };
    struct Slot {
        FileDescriptor fd;
        // What the open port was set to; read by simulators on their own
        // threads, so kept apart from the exchange's lock.
        mutable std::mutex settingsMutex;
        std::optional<termios> requested;
        // The device node open here and the path it was opened by, under
        // the same lock: a scan for another device skips it, and a listing
        // keeps its entry in place.
        std::optional<DeviceNode> node;
        QByteArray path;
        // Held through an exchange and while the port opens or closes.
        std::mutex exchange;
        // A close asked for while the slot was held: the exchange in progress
        // ends at its next read, and whoever holds the slot closes it.
        std::atomic<bool> closeAsked = false;
        // The last reply ended badly: its rest may still come. Cleared when
        // the port closes, which drops the line's input.
        std::atomic<bool> drainOwed = false;
        // The bridge standing in for the port (the mount's slot only), and
        // a close of it asked for while the slot was held.
        BridgeSocket* bridge = nullptr;
        std::atomic<bool> bridgeCloseAsked = false;
    };
    // Holds a slot's lock; a close asked for meanwhile is carried out as it
    // lets go, so that closing never waits for an exchange.
    class SlotLock {
    public:
        explicit SlotLock(Slot* entry);
        ~SlotLock();
        SlotLock(const SlotLock&) = delete;
        SlotLock& operator=(const SlotLock&) = delete;

    private:
        Slot* m_entry;
        std::unique_lock<std::mutex> m_lock;
    };
    // Closes the port now; the caller holds the slot.
    static void closePort(Slot& entry);
    // Carries out the closes asked for; the caller holds the slot.
    static void carryOutCloses(Slot& entry);
    // True once a close was asked for: the read in progress gives up.
    static bool isClosing(const Slot* entry) { return entry != nullptr && entry->closeAsked; }
    static bool isBridgeClosing(const Slot* entry) { return entry != nullptr && entry->bridgeCloseAsked; }

    // The node `path` names, following links; none when it does not exist.
    static std::optional<DeviceNode> nodeOf(const QByteArray& path);
    // The slot other than `except` that has `node` open; 0 for none.
    quint16 slotHolding(const DeviceNode& node, quint16 except) const;
    bool isHeldElsewhere(const DeviceNode& node, quint16 slot) const { return slotHolding(node, slot) != 0; }
    // The path of list entry `portIndex`, copied under the list's lock.
    std::optional<QByteArray> portPath(quint16 portIndex) const;
    Slot* slotFor(quint16 slot);
    const Slot* slotFor(quint16 slot) const;
    // The open descriptor of a reader's slot; -1 while the bridge is in use.
    int readerPort(quint16 slot) const;
    void pause(int ticks) const;
    // One read of a held slot's port; -1 once a close was asked for.
    static qsizetype readHeld(const Slot* entry, int fd, char* into, qsizetype most);
    // Reads after gaps of `gapTicks` until a read gives nothing or more
    // than `enough` bytes have come; the bytes in total.
    qsizetype readUntilQuiet(const Slot* entry, int fd, std::span<char> into, qsizetype first,
                             qsizetype enough, int gapTicks) const;
    bool finishReply(qint32 gathered, quint16 expected, qint32& count) const;
    // Writes `out` on a held slot's port and reads the reply, as
    // transaction() does after its drain.
    bool writeAndGather(Slot& entry, int fd, const ReadSome& read, quint16 expected, qint32& count,
                        const char* out, ReplyBuffer& reply, quint16 slot, const ReplyEnd& end) const;
    // Reads until a read gives nothing (a port's read waits a moment for a
    // first byte), within a drain's limits in bytes and time: what it read,
    // and whether the line fell quiet.
    DrainResult clearHeld(const Slot* entry, const ReadSome& read) const;
    // Clears and drains a held slot's line ahead of a write onto a quiet
    // line, keeping what it reads in `quiet`: 0 when the write may go out,
    // else why not.
    qint32 clearForQuietWrite(Slot& entry, int fd, const ReadSome& read, QuietLine& quiet);
    // Drains the line when an earlier reply left its rest owed; the caller
    // holds the slot. False when the drain ended with the line still busy:
    // the drain stays owed.
    bool drainIfOwed(Slot& entry, const ReadSome& read);
    bool bridgeTransaction(quint16 expected, qint32& count, const char* out, ReplyBuffer& reply,
                           quint16 slot, const ReplyEnd& end);
    void discardBridgeInput();
    void bridgeSocketReady();
    void wifiTimer();
    void closeBridge();
    void showBridgeState(const QString& status);
    void parseOptec(const char* bytes, qsizetype size);

    DebugWriter m_debug;
    SerialTiming m_timing;
    RoboFocusPosition* m_robo = nullptr;
    WiFiView* m_view = nullptr;
    BridgeMount* m_mount = nullptr;

    QStringList m_extraPorts;
    // Listed on the main thread, read by the ports' workers as they open.
    mutable std::mutex m_portsMutex;
    std::vector<SerialPortEntry> m_ports;
    bool m_everyStream = false;
    std::array<Slot, kSerialSlotCount> m_slots;

    quint16 m_optecUnits = 0;
    float m_optecTemp = 0.0f;
    std::atomic<bool> m_isSG4Timeout = false;

    BridgeSocket m_bridge;
    std::unique_ptr<QSocketNotifier> m_bridgeNotifier;
    QTimer m_wifiTimer;
    std::atomic<bool> m_hasWiFi = false;
    std::atomic<bool> m_isWiFi = false;
    QString m_wifiIPAddress;
    QString m_wifiPortNumber;
};
