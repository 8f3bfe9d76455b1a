#include "mount/panels/MeadeBasicPanel.h"

#include "mount/links/PanelMount.h"
#include "mount/panels/RadioMatrix.h"

#include <QHBoxLayout>
#include <QPushButton>

MeadeBasicPanel::MeadeBasicPanel(Links links, QWidget* parent) : HandPanel(links, parent)
{
    addDirectionButtons(addBox("Slew Control"));
    auto* row = new QHBoxLayout;
    panelLayout()->addLayout(row);
    m_speed = addSpeedMatrix(row, kSlewSpeedTag, true);
    connect(m_speed, &RadioMatrix::activated, this, [this](int tag) {
        if (isConnected())
            sendCode(tag);
    });
    addLockBox(row);
    m_sync = addButton(panelLayout(), "Sync", kSyncTag);
    connect(m_sync, &QPushButton::clicked, this, [this] {
        if (isConnected())
            sendCode(kSyncTag);
    });
    addSlewTips(false);
    addTip(m_sync, "Sync the scope to the current RA and Dec");
}

void MeadeBasicPanel::sendCode(int code)
{
    mount().lx200Command(code);
}

void MeadeBasicPanel::keySlew(int code)
{
    mount().slewLX200(code);
}
