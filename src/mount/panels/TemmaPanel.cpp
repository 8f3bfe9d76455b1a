#include "mount/panels/TemmaPanel.h"

#include "mount/links/PanelMount.h"
#include "mount/panels/RadioMatrix.h"
#include "platform/AlertPanel.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Cells of the panel commands (the worker's Temma codes).
constexpr int kSolar = 32;
constexpr int kStellar = 33;
constexpr int kEast = 34;
constexpr int kWest = 35;
constexpr int kVolts1 = 36;
constexpr int kVolts2 = 37;
constexpr int kStandBy = 38;
// The guide cells carry their rate, percent of sidereal.
constexpr int kGuideSlowest = 20;

}  // namespace

TemmaPanel::TemmaPanel(Links links, QWidget* parent)
    : HandPanel(links, parent), m_guideRate(kGuideSlowest)
{
    QGroupBox* slew = addBox("Slew Control");
    addDirectionButtons(slew);
    auto* row = new QHBoxLayout;
    panelLayout()->addLayout(row);
    m_speed = addSpeedMatrix(row, kSlewSpeedTag, false);
    connect(m_speed, &RadioMatrix::activated, this, [this](int tag) {
        if (isConnected() && mayAct())
            sendCode(tag);
    });
    addLockBox(row);

    QGroupBox* sync = addBox("Sync");
    auto* syncRow = new QHBoxLayout(sync);
    m_zenithSync = addButton(syncRow, "Zenith", kZenithSyncTag);
    m_starSync = addButton(syncRow, "Star", kStarSyncTag);
    for (QPushButton* button : {m_zenithSync, m_starSync}) {
        const int tag = button->property("tag").toInt();
        connect(button, &QPushButton::clicked, this, [this, tag] { syncTemmaAction(tag); });
    }

    auto* settings = new QHBoxLayout;
    panelLayout()->addLayout(settings);
    m_trackRate = new RadioMatrix(kTrackRateTag, QString(),
                                  {{kStellar, scopeText("Stellar")}, {kSolar, scopeText("Solar")},
                                   {kStandBy, scopeText("Off")}},
                                  1, this);
    m_volts = new RadioMatrix(kVoltsTag, QString(), {{kVolts1, scopeText("12V")}, {kVolts2, scopeText("24V")}},
                              1, this);
    m_side = new RadioMatrix(kPierSideTag, QString(), {{kEast, scopeText("East")}, {kWest, scopeText("West")}},
                             1, this);
    m_guide = new RadioMatrix(kGuideRateTag, QString(),
                              {{20, QStringLiteral("20%")}, {70, QStringLiteral("70%")},
                               {50, QStringLiteral("50%")}, {90, QStringLiteral("90%")}},
                              2, this);
    for (RadioMatrix* matrix : {m_trackRate, m_volts, m_side, m_guide}) {
        settings->addWidget(matrix);
        connect(matrix, &RadioMatrix::activated, this,
                [this, matrix](int selected) { trackTemmaAction(matrix->tag(), selected); });
    }

    addSlewTips(false);
    addTip(m_starSync, "Sync the scope to the object RA and Dec");
    addTip(m_zenithSync, "Sync the scope to zenith");
    addTip(m_side, "Command to switch what side the scope is on");
    addTip(m_guide, "Slow speed percent of sidereal speed");
}

void TemmaPanel::sendCode(int code)
{
    mount().temmaCommand(code);
}

bool TemmaPanel::mayAct()
{
    if (mount().isTemmaSync())
        return true;
    AlertPanel::runAlert(scopeText("Scope must be synced first."), QStringLiteral(" "));
    setSlewButtonsOff();
    return false;
}

void TemmaPanel::lockedOn(int code)
{
    if (code != kDirStop && mount().isSlewing()) {
        AlertPanel::beep();
        directionButton(code)->setChecked(false);
        return;
    }
    sendCode(code);
}

void TemmaPanel::lockedOff(int)
{
    sendCode(kDirStop);
}

void TemmaPanel::keySlew(int code)
{
    mount().slewTemma(code, false);
}

void TemmaPanel::syncTemmaAction(int tag)
{
    if (!isConnected())
        return;
    mount().writeDebugFile(QStringLiteral("Temma Sync button hit, tag: %1").arg(tag));
    sendCode(tag);
}

void TemmaPanel::trackTemmaAction(int tag, int selected)
{
    if (tag == kGuideRateTag)
        m_guideRate = selected;
    if (!isConnected())
        return;
    const bool sendsCell = tag == kTrackRateTag || tag == kVoltsTag || tag == kPierSideTag;
    sendCode(sendsCell ? selected : tag);
}

void TemmaPanel::setSideRadio(bool east)
{
    m_side->selectCellWithTag(east ? kEast : kWest);
    mount().writeDebugFile(east ? QStringLiteral("Temma Panel: setSideRadio to East")
                                : QStringLiteral("Temma Panel: setSideRadio to West"));
}

void TemmaPanel::setTrackRadio()
{
    m_trackRate->selectCellWithTag(kStandBy);
}
