#include "mount/panels/IOptronPanel.h"

#include "mount/links/PanelMount.h"
#include "mount/panels/RadioMatrix.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

IOptronPanel::IOptronPanel(Links links, QWidget* parent) : HandPanel(links, parent)
{
    addDirectionButtons(addBox("Slew Control"));
    auto* row = new QHBoxLayout;
    panelLayout()->addLayout(row);
    m_speed = addSpeedMatrix(row, kSlewSpeedTag, true);
    connect(m_speed, &RadioMatrix::activated, this, [this](int tag) {
        if (isConnected())
            sendCode(tag);
    });
    QPushButton* lock = addButton(row, "Slew On/Off", kLockTag);
    lock->setCheckable(true);
    connect(lock, &QPushButton::clicked, this, &HandPanel::lockAction);
    addTip(lock, "Click to slew on, click to slew off");

    QGroupBox* parkBox = addBox("Park");
    auto* parkLayout = new QVBoxLayout(parkBox);
    m_park = new RadioMatrix(kParkPositionTag, QString(),
                             {{22, scopeText("North Pole")}, {23, scopeText("Left/Vert")},
                              {24, scopeText("Left/Hor")}, {25, scopeText("Right/Vert")},
                              {26, scopeText("Right/Hor")}},
                             1, parkBox);
    parkLayout->addWidget(m_park);
    connect(m_park, &RadioMatrix::activated, this, [this] { parkIOptronAction(kParkPositionTag); });
    QPushButton* park = addButton(parkLayout, "Park", kParkTag);
    connect(park, &QPushButton::clicked, this, [this] { parkIOptronAction(kParkTag); });
    addTip(park, "Move the scope to the park position and disconnect");

    auto* setup = new QHBoxLayout;
    panelLayout()->addLayout(setup);
    for (const auto& [title, tag, tip] :
         {std::tuple{"Sync", kSyncTag, "Sync the scope to the current RA and Dec"},
          std::tuple{"Date/Time", kDateTag, "Send the Mac date and time to the scope"},
          std::tuple{"Site", kSiteTag, "Send the current site location to the scope"}}) {
        QPushButton* button = addButton(setup, title, tag);
        connect(button, &QPushButton::clicked, this, [this, tag] { setupIOptronAction(tag); });
        addTip(button, tip);
    }
    addSlewTips(true);
}

void IOptronPanel::sendCode(int code)
{
    mount().iOptronCommand(code);
}

void IOptronPanel::keySlew(int code)
{
    mount().slewIOptron(code);
}

void IOptronPanel::parkIOptronAction(int tag)
{
    if (isConnected())
        sendCode(tag == kParkPositionTag ? m_park->selectedTag() : tag);
}

void IOptronPanel::setupIOptronAction(int tag)
{
    if (isConnected())
        sendCode(tag);
}
