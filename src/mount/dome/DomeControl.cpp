#include "mount/dome/DomeControl.h"

#include "mount/SerialControl.h"
#include "mount/dome/DomeMount.h"
#include "mount/dome/DomeView.h"
#include "platform/AlertPanel.h"

#include <QThread>

#include <cmath>

namespace {

constexpr int kInputs = 4;
constexpr int kEncoder = 0;  // input 1
constexpr int kHome = 1;     // input 2

}  // namespace

DomeControl::DomeControl(SerialControl& serial, DomeMount& mount, DebugWriter debug,
                         ScopeThreadTiming timing, QObject* parent)
    : QObject(parent), m_serial(serial), m_mount(mount), m_debug(std::move(debug)),
      m_timing(std::move(timing)), m_line(serial, m_debug, m_timing)
{
    connect(&m_domeTrackTimer, &QTimer::timeout, this, &DomeControl::domeFreqTimer);
    connect(&m_shutterTimer, &QTimer::timeout, this, &DomeControl::domeShutterTimer);
}

DomeControl::~DomeControl()
{
    m_exchanges->close();
}

void DomeControl::postToWorker(std::function<void()> job)
{
    m_exchanges->push(std::move(job));
    m_mount.postWork([exchanges = m_exchanges] { exchanges->runWaiting(); });
}

void DomeControl::onMain(std::function<void()> work)
{
    if (QThread::currentThread() == thread())
        work();
    else
        QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
}

void DomeControl::alert(const QString& title, const QString& message)
{
    onMain([title, message] { AlertPanel::runAlert(title, message); });
}

bool DomeControl::domeTest()
{
    const Lock lock = lockBoard();
    return m_line.board().test();
}

bool DomeControl::domeReadInput()
{
    const Lock lock = lockBoard();
    if (!isReady())
        return false;
    const std::optional<int> bits = m_line.readInputs();
    if (!bits)
        return false;
    applyInputs(*bits);
    return true;
}

void DomeControl::applyInputs(int bits)
{
    for (int i = 0; i < kInputs; ++i) {
        const bool set = (bits >> i) & 1;
        m_domeIStat[i] = set ? m_domeI5V[i].load() : !m_domeI5V[i];
    }
    onMain([this] {
        if (m_view && m_isDomeConnect)
            m_view->domeUpdateStatus();
    });
}

void DomeControl::atHome()
{
    m_domeAzimuth = m_domeHomeAzimuth.load();
    m_domeTicks = 0;
    m_hasDomeBeenHome = true;
    onMain([this] {
        if (m_view)
            m_view->domeUpdateButtons();
    });
}

std::optional<bool> DomeControl::readIsHome()
{
    const Lock lock = lockBoard();
    if (!domeReadInput())
        return std::nullopt;
    if (!m_domeIStat[kHome])
        return false;
    atHome();
    return true;
}

bool DomeControl::domeIsHome()
{
    return readIsHome().value_or(false);
}

bool DomeControl::countEdge(bool& phase) const
{
    const bool encoderActive = m_domeIStat[kEncoder];
    if (!phase && !encoderActive) {
        phase = true;
        return true;
    }
    if (phase && encoderActive) {
        phase = false;
        return true;
    }
    return false;
}

void DomeControl::wrapTicks()
{
    const auto max = qint64(m_domeMaxTicks.load());
    qint64 ticks = m_domeTicks;
    if (ticks >= max)
        ticks -= max;
    if (ticks < 0)
        ticks += max;
    m_domeTicks = qint32(ticks);
}

bool DomeControl::domeReadTicks()
{
    const Lock lock = lockBoard();
    if (!domeReadInput())
        return false;
    const quint32 max = m_domeMaxTicks;
    if (max == 0)
        return true;
    if (m_domeIStat[kHome])
        atHome();
    if (countEdge(m_phase)) {
        m_domeTicks += m_isDomeEtoW ? 1 : -1;
        wrapTicks();
    }
    updateAzimuth();
    return true;
}

void DomeControl::updateAzimuth()
{
    const quint32 max = m_domeMaxTicks;
    if (max == 0)
        return;
    double azimuth = m_domeHomeAzimuth + m_domeTicks * 360.0 / max;
    azimuth = std::fmod(azimuth, 360.0);
    if (azimuth < 0.0)
        azimuth += 360.0;
    m_domeAzimuth = float(azimuth);
}

int DomeControl::domeReadRelay()
{
    m_debug("domeReadRelay");
    const Lock lock = lockBoard();
    if (!isReady())
        return -1;
    return m_line.board().readRelays().value_or(-1);
}

bool DomeControl::domeSetRelay(char relay, bool on)
{
    const Lock lock = lockBoard();
    if (!isReady())
        return false;
    m_domeR1Stat = false;
    m_domeR2Stat = false;
    bool ok = m_line.board().relaysOff();
    if (on) {
        pauseTicks(1);
        ok = m_line.board().relayOn(relay) && ok;
        m_isDomeEtoW = relay == '1';
        (m_isDomeEtoW ? m_domeR1Stat : m_domeR2Stat) = true;
        m_debug(m_isDomeEtoW ? "domeSetRelay 1" : "domeSetRelay 2");
    }
    onMain([this] {
        if (m_view && m_isDomeConnect)
            m_view->domeUpdateStatus();
    });
    return ok;
}

bool DomeControl::domeSetOutput(int value, bool on)
{
    m_debug("domeSetOutput");
    const Lock lock = lockBoard();
    if (!isReady())
        return false;
    m_domeO7Stat = false;
    m_domeO8Stat = false;
    bool ok = m_line.board().outputsOff();
    if (on) {
        if (value != 128 && value != 64)
            return false;
        pauseTicks(1);
        ok = m_line.board().outputOn(value) && ok;
        (value == 128 ? m_domeO8Stat : m_domeO7Stat) = true;
    }
    onMain([this] {
        if (m_view && m_isDomeConnect)
            m_view->domeUpdateStatus();
    });
    return ok;
}

bool DomeControl::domeNudgeRelay(char relay)
{
    const Lock lock = lockBoard();
    // A job's nudge after a disconnect goes nowhere, least of all to a later connection.
    if (!isReady())
        return false;
    return m_line.board().pulseRelay(relay);
}

bool DomeControl::calcDomeAzimuth()
{
    m_debug("calcDomeAzimuth");
    const std::optional<DomeAim> aim =
        DomeAim::of(m_mount, m_view != nullptr && m_view->isGEM(), m_isDomeBiDirection, m_scopeAzimuth);
    if (!aim)
        return false;
    m_scopeAzimuth = float(aim->scopeAzimuth);
    const std::optional<double> target = ::calcDomeAzimuth(m_geometry, *aim);
    if (!target)
        return false;
    m_domeTargetAzimuth = float(*target);
    m_debug([&] {
        return QString::asprintf("calcDomeAzimuth: scopeAz= %.2f, tarAz= %.2f",
                                 double(m_scopeAzimuth), *target);
    });
    return true;
}

void DomeControl::domeGetScopeAz()
{
    m_scopeAzimuth = m_mount.isConnected() ? float(m_mount.scopeAzimuth()) : -1.0f;
}

void DomeControl::setDomeSetup(double x, double y, double z, double bigR, double smallR,
                               double flip, float homeAzimuth, float delta, float frequency)
{
    m_geometry = {x, y, z, bigR, smallR, flip};
    m_domeHomeAzimuth = homeAzimuth;
    m_domeDelta = delta;
    m_domeFrequency = frequency;
}

void DomeControl::applyTickAngles()
{
    if (const auto angles = domeTickAngles(m_domeMaxTicks, m_domeOvershoot)) {
        m_domeOverDeg = float(angles->overshoot);
        m_domeTolerance = float(angles->tolerance);
    }
}

void DomeControl::setDomeTicks(quint32 ticksPerTurn, qint16 overshoot)
{
    if (ticksPerTurn == 0) {
        m_debug("setDomeTicks: 0 ticks refused");
        return;
    }
    m_domeMaxTicks = ticksPerTurn;
    m_domeOvershoot = overshoot;
    applyTickAngles();
    wrapTicks();
    m_debug([&] {
        return QString::asprintf("setDomeTicks: max= %u, over= %.2f, tol= %.2f", ticksPerTurn,
                                 double(m_domeOverDeg), double(m_domeTolerance));
    });
}
