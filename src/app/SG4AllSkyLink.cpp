#include "app/SG4AllSkyLink.h"

#include "app/SG4Link.h"
#include "camera/views/allsky/AllSkyDatePanel.h"
#include "camera/views/allsky/AllSkyPanel.h"
#include "model/settings/PrefLinks.h"

#include <QScopedValueRollback>

SG4AllSkyLink::SG4AllSkyLink(PrefControl& prefs, DebugLog& log, SG4Link& sg4, const QString& miscDirectory,
                             QWidget* window, AllSkyClock* clock)
    : m_control(sg4.sg4Control()),
      m_camera(m_control),
      m_allSky(prefs, log, m_camera, miscDirectory, window, clock)
{
    AllSkySession& session = m_allSky.session();
    AllSkyPanel& panel = m_allSky.panel();
    m_control.setAllSkyPanel(&panel);
    m_control.setExposureEnded([this] { return exposureEnded(); });
    m_control.setDatePanelOpener([this] { m_allSky.datePanel().show(); });
    panel.setCloseObserver([this] { m_control.panelClosed(m_allSky.session().schedule().isScheduleRun()); });

    QObject::connect(&m_control, &SG4Control::imageReady, &session, [this, &session] {
        const std::shared_ptr<const SG4Image> image = m_control.sg4Image();
        if (!m_control.isAllSkyConnect() || !image)
            return;
        // The focus loop's frames are looked at, not kept.
        if (m_control.isSG4Focus())
            session.showFrame(SG4AllSkyCamera::allSkyFrame(*image));
        else
            session.imageDownloaded(SG4AllSkyCamera::allSkyFrame(*image));
    });
    QObject::connect(&m_control, &SG4Control::downloadFailed, &session, [this, &session] {
        if (m_control.isAllSkyConnect())
            session.downloadFailed();
    });
    QObject::connect(&m_control, &SG4Control::disconnecting, &session, [this] { disconnecting(); });
    // The controller titles the panel with the version it read on connecting.
    QObject::connect(&panel, &AllSkyPanel::deviceConnected, &session,
                     [this, &session] { session.files().setVersionStr(m_control.versionStr()); });

    QObject::connect(&panel, &AllSkyPanel::exposeClicked, &panel,
                     [this] { m_control.sg4ImageAction(SG4Control::kTagExpose); });
    QObject::connect(&panel, &AllSkyPanel::focusToggled, &panel,
                     [this] { m_control.sg4ImageAction(SG4Control::kTagFocus); });
    QObject::connect(&panel, &AllSkyPanel::imageTypeChosen, &panel,
                     [this](int item) { m_control.sg4ImageAction(SG4Control::kTagImageType, item); });
    QObject::connect(&panel, &AllSkyPanel::speedChosen, &panel,
                     [this](int item) { m_control.sg4SetupAction(SG4Control::kTagSpeed, item); });
    QObject::connect(&panel, &AllSkyPanel::readoutChosen, &panel,
                     [this](int item) { m_control.sg4SetupAction(SG4Control::kTagReadout, item); });
}

SG4AllSkyLink::~SG4AllSkyLink()
{
    // The schedule and the heater stop while the session and panel still exist.
    if (m_control.isAllSkyConnect())
        m_control.sg4Disconnect();
    m_control.setAllSkyPanel(nullptr);
    m_control.setExposureEnded({});
    m_control.setDatePanelOpener({});
}

void SG4AllSkyLink::fillLinks(PrefLinks& links)
{
    m_allSky.fillLinks(links);
    links.sg4 = this;
}

bool SG4AllSkyLink::exposureEnded()
{
    // A short exposure started here ends inside its own start: no second decision.
    if (!m_control.isAllSkyConnect() || m_isEnding)
        return false;
    const QScopedValueRollback ending(m_isEnding, true);
    return m_allSky.session().schedule().exposureEnded();
}

void SG4AllSkyLink::disconnecting()
{
    if (m_control.isAllSkyConnect())
        m_allSky.session().schedule().cameraDisconnecting();
}

void SG4AllSkyLink::setSG4Baud(int baud)
{
    m_control.setSG4Baud(baud);
}

void SG4AllSkyLink::setExpSchedule(float seconds)
{
    m_control.setExpSchedule(seconds);
    m_allSky.panel().setExpSchedule(seconds);
}

void SG4AllSkyLink::setDarkSchedule(float seconds)
{
    m_control.setDarkSchedule(seconds);
    m_allSky.panel().setDarkSchedule(seconds);
}

void SG4AllSkyLink::setHeatOnSchedule(float seconds)
{
    m_control.setHeatOnSchedule(seconds);
    m_allSky.panel().setHeatOnSchedule(seconds);
}

void SG4AllSkyLink::setHeatOffSchedule(float seconds)
{
    m_control.setHeatOffSchedule(seconds);
    m_allSky.panel().setHeatOffSchedule(seconds);
}

bool SG4AllSkyLink::isSG4Connect() const
{
    return m_control.isSG4Connect();
}

bool SG4AllSkyLink::isAllSkyConnect() const
{
    return m_control.isAllSkyConnect();
}

bool SG4AllSkyLink::sg4Disconnect()
{
    return m_control.sg4Disconnect();
}
