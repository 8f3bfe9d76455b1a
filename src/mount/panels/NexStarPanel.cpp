#include "mount/panels/NexStarPanel.h"

#include "mount/links/PanelMount.h"
#include "mount/panels/RadioMatrix.h"

#include <QApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The tracking cells carry the mode plus this.
constexpr int kTrackTagBase = 19;
constexpr int kSpeedTagBase = 10;

}  // namespace

NexStarPanel::NexStarPanel(Links links, QWidget* parent) : HandPanel(links, parent)
{
    QGroupBox* slew = addBox("Slew Control");
    addDirectionButtons(slew);
    useToggleButtons();
    auto* column = new QVBoxLayout;
    panelLayout()->addLayout(column);
    m_speed = addSpeedMatrix(column, kSlewSpeedTag, true);
    connect(m_speed, &RadioMatrix::activated, this, [this](int tag) {
        if (isConnected())
            mount().setNexStarSlewSpeed(tag - kSpeedTagBase);
    });

    QGroupBox* trackBox = addBox("Tracking Mode");
    auto* trackLayout = new QVBoxLayout(trackBox);
    m_track = new RadioMatrix(0, QString(),
                              {{kTrackTagBase, scopeText("Off")}, {kTrackTagBase + 1, scopeText("Alt/Az")},
                               {kTrackTagBase + 2, scopeText("EQ N")}, {kTrackTagBase + 3, scopeText("EQ S")}},
                              1, trackBox);
    trackLayout->addWidget(m_track);
    connect(m_track, &RadioMatrix::activated, this, [this](int tag) {
        if (isConnected())
            mount().setNexStarTrackMode(tag - kTrackTagBase);
    });
    m_sync = addButton(trackLayout, "Sync", kSyncTag);
    connect(m_sync, &QPushButton::clicked, this, [this] {
        syncNexStarAction(QApplication::keyboardModifiers().testFlag(Qt::AltModifier));
    });
    addSlewTips(false);
    setToolTips();
}

void NexStarPanel::sendCode(int code)
{
    mount().nexStarCommand(code);
}

void NexStarPanel::lockedOff(int)
{
    setSlewButtonsOff();
    sendCode(kDirStop);
}

void NexStarPanel::keySlew(int code)
{
    mount().slewNexStar(code, false);
}

void NexStarPanel::syncNexStarAction(bool optionHeld)
{
    if (optionHeld)
        mount().resetSynScanSync();
    else
        mount().syncNexStar();
}

void NexStarPanel::setNexStarModeMatrix(int mode)
{
    m_track->selectCellWithTag(mode + kTrackTagBase);
}

void NexStarPanel::setSynScanSyncButton(bool synced)
{
    m_sync->setText(scopeText(synced ? "Synced" : "Sync"));
}

void NexStarPanel::setSyncEnable(bool enable)
{
    m_sync->setEnabled(enable);
}
