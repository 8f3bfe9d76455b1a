#include "mount/SerialControl.h"

#include "mount/ReplyCycles.h"
#include "mount/TransactionDump.h"
#include "mount/links/BridgeMount.h"
#include "mount/links/WiFiView.h"

#include <QByteArrayView>

namespace {

// What discarding stale bridge input takes in one read.
constexpr qsizetype kBridgeDiscard = 450;

const QString kStatusStarting = QStringLiteral("Starting Connect");
const QString kStatusStreamFailed = QStringLiteral("Stream Failed");
const QString kStatusOpening = QStringLiteral("Stream opening");
const QString kStatusConnected = QStringLiteral("Connected");
const QString kStatusCanceled = QStringLiteral("Connect Canceled");
const QString kStatusFailed = QStringLiteral("Connect Failed");
const QString kTitleConnect = QString::fromLatin1(kWiFiConnectTitle);
const QString kTitleCancel = QStringLiteral("Cancel");

}  // namespace

bool SerialControl::openWiFi()
{
    if (m_hasWiFi) {
        cancelWiFi();
        return true;
    }
    if (m_view != nullptr) {
        m_view->setProgressRunning(true);
        m_view->setStatusText(kStatusStarting);
        m_wifiIPAddress = m_view->addressField();
        m_wifiPortNumber = m_view->portField();
    }
    closeBridge();
    bool started = false;
    {
        // An exchange cancelled by the close lets go at its next read and
        // closes the old socket then, never the new one.
        const SlotLock lock(slotFor(kSerialSlotScope));
        started = m_bridge.start(m_wifiIPAddress, m_wifiPortNumber);
    }
    if (!started) {
        m_debug([this] {
            return QStringLiteral("CFStream failed at ip: %1:%2")
                .arg(m_wifiIPAddress)
                .arg(m_wifiPortNumber.trimmed().toInt());
        });
        if (m_view != nullptr) {
            m_view->setStatusText(kStatusStreamFailed);
            m_view->setProgressRunning(false);
        }
        return false;
    }
    m_bridgeNotifier =
        std::make_unique<QSocketNotifier>(m_bridge.fd(), QSocketNotifier::Write);
    connect(m_bridgeNotifier.get(), &QSocketNotifier::activated, this,
            &SerialControl::bridgeSocketReady);
    m_debug("WiFi open stream started");
    if (m_view != nullptr)
        m_view->setStatusText(kStatusOpening);
    m_wifiTimer.start(m_timing.wifiOpenTimeout);
    return true;
}

void SerialControl::bridgeSocketReady()
{
    m_bridgeNotifier.reset();
    if (!m_bridge.finish()) {
        // A refused connection fails now rather than when the time-out ends.
        m_debug("WiFi connect refused");
        killWiFi();
        return;
    }
    m_wifiTimer.stop();
    m_hasWiFi = true;
    if (m_view != nullptr) {
        m_view->setProgressRunning(false);
        m_view->setConnectTitle(kTitleCancel);
        m_view->setStatusText(kStatusConnected);
    }
    m_debug("WiFi Connected");
}

void SerialControl::wifiTimer()
{
    if (m_hasWiFi)
        return;
    m_debug("WiFi stream open timeout");
    killWiFi();
}

void SerialControl::closeBridge()
{
    m_wifiTimer.stop();
    m_bridgeNotifier.reset();
    // An exchange reading the socket gives up at its next read and closes
    // it as it lets go: closing never waits for it.
    Slot* entry = slotFor(kSerialSlotScope);
    entry->bridgeCloseAsked = true;
    const std::unique_lock lock(entry->exchange, std::try_to_lock);
    if (lock.owns_lock())
        carryOutCloses(*entry);
}

void SerialControl::showBridgeState(const QString& status)
{
    if (m_view == nullptr)
        return;
    m_view->setProgressRunning(false);
    m_view->setConnectTitle(kTitleConnect);
    m_view->setStatusText(status);
}

void SerialControl::cancelWiFi()
{
    if (m_isWiFi && m_mount != nullptr && m_mount->isConnected())
        m_mount->disconnectScope();
    m_isWiFi = false;
    m_hasWiFi = false;
    closeBridge();
    showBridgeState(kStatusCanceled);
    m_debug("WiFi Connect Canceled");
}

void SerialControl::killWiFi()
{
    m_isWiFi = false;
    m_hasWiFi = false;
    closeBridge();
    showBridgeState(kStatusFailed);
    m_debug("Killed WiFi");
}

void SerialControl::discardBridgeInput()
{
    std::array<char, kBridgeDiscard> dropped;
    m_bridge.readSome(dropped.data(), kBridgeDiscard);
}

bool SerialControl::bridgeTransaction(quint16 expected, qint32& count, const char* out,
                                      ReplyBuffer& reply, quint16 slot, const ReplyEnd& end)
{
    if (slot != kSerialSlotScope) {
        m_debug("WiFi transaction not scope");
        return false;
    }
    if (!m_hasWiFi)
        return false;
    Slot* entry = slotFor(kSerialSlotScope);
    const auto read = [this, entry](char* into, qsizetype most) {
        return isBridgeClosing(entry) ? qsizetype(-1) : m_bridge.readSome(into, most);
    };
    if (expected > 0)
        drainIfOwed(*entry, read);
    discardBridgeInput();
    const qsizetype written = count > 0 ? m_bridge.writeAll(out, count) : 0;
    if (written != count) {
        m_debug([&] {
            return QStringLiteral("WiFi transaction failed: %1 != %2").arg(written).arg(count);
        });
        count = kTransWriteFailed;
        return false;
    }
    if (expected == 0)
        return true;
    const GatheredReply gathered = gatherReply(CycleRules::bridge(), read, reply, end);
    const bool ok = finishReply(gathered.result, expected, count);
    entry->drainOwed = !ok;
    if (count == kTransTimeout || count == kTransShortReply) {
        m_debug([&] { return QStringLiteral("WiFi transaction loop failed: %1").arg(count); });
        if (gathered.received > 0)
            m_debug([&] {
                return transactionOutDump(QByteArrayView(reply.data(), gathered.received));
            });
    }
    return ok;
}
