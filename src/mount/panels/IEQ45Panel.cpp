#include "mount/panels/IEQ45Panel.h"

#include "mount/links/PanelMount.h"
#include "mount/panels/RadioMatrix.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

IEQ45Panel::IEQ45Panel(Links links, QWidget* parent) : HandPanel(links, parent)
{
    addDirectionButtons(addBox("Slew Control"));
    auto* row = new QHBoxLayout;
    panelLayout()->addLayout(row);
    m_slewSpeed = new RadioMatrix(kSlewSpeedMatrixTag, QString(),
                                  {{10, scopeText("Fast")}, {11, scopeText("Med")},
                                   {12, scopeText("Slow")}, {13, scopeText("Guide")}},
                                  2, this);
    row->addWidget(m_slewSpeed);
    connect(m_slewSpeed, &RadioMatrix::activated, this, [this] { slewIEQ45Action(kSlewSpeedMatrixTag); });
    QPushButton* lock = addButton(row, "Slew On/Off", kLockTag);
    lock->setCheckable(true);
    connect(lock, &QPushButton::clicked, this, &HandPanel::lockAction);
    addTip(lock, "Click to slew on, click to slew off");

    QGroupBox* track = addBox("Tracking");
    auto* trackRow = new QHBoxLayout(track);
    m_trackSpeed = new RadioMatrix(kTrackSpeedTag, QString(),
                                   {{14, QStringLiteral("1.0x")}, {15, QStringLiteral("0.5x")},
                                    {16, QStringLiteral("0.25x")}},
                                   1, track);
    m_trackMode = new RadioMatrix(kTrackModeTag, QString(),
                                  {{25, scopeText("Sidereal")}, {26, scopeText("Solar")},
                                   {27, scopeText("Lunar")}, {28, scopeText("King")}},
                                  1, track);
    for (RadioMatrix* matrix : {m_trackSpeed, m_trackMode}) {
        trackRow->addWidget(matrix);
        connect(matrix, &RadioMatrix::activated, this, [this, matrix] { trackIEQ45Action(matrix->tag()); });
    }

    auto* setup = new QHBoxLayout;
    panelLayout()->addLayout(setup);
    for (const auto& [title, tag, tip] :
         {std::tuple{"Sync", kSyncTag, "Sync the scope to the current RA and Dec"},
          std::tuple{"Park", kParkTag, "Move the scope to the park position"},
          std::tuple{"Date/Time", kDateTag, "Send the Mac date and time to the scope"},
          std::tuple{"Site", kSiteTag, "Send the current site location to the scope"}}) {
        QPushButton* button = addButton(setup, title, tag);
        connect(button, &QPushButton::clicked, this, [this, tag] { setupIEQ45Action(tag); });
        addTip(button, tip);
    }
    addSlewTips(true);
}

RadioMatrix* IEQ45Panel::matrix(int tag) const
{
    switch (tag) {
    case kSlewSpeedMatrixTag: return m_slewSpeed;
    case kTrackSpeedTag: return m_trackSpeed;
    case kTrackModeTag: return m_trackMode;
    default: return nullptr;
    }
}

void IEQ45Panel::sendCode(int code)
{
    mount().iEQ45Command(code);
}

void IEQ45Panel::holdStop()
{
    mount().slewIEQ45(kDirStop);
}

void IEQ45Panel::lockedOn(int code)
{
    if (code == kDirStop)
        holdStop();
    else
        sendCode(code);
}

void IEQ45Panel::lockedOff(int code)
{
    switchOpposite(code);
    holdStop();
}

void IEQ45Panel::slewIEQ45Action(int tag)
{
    if (isConnected())
        trackIEQ45Action(tag);
}

void IEQ45Panel::trackIEQ45Action(int tag)
{
    if (const RadioMatrix* chosen = matrix(tag))
        sendCode(chosen->selectedTag());
}

void IEQ45Panel::setupIEQ45Action(int tag)
{
    sendCode(tag);
}
