#include "platform/widgets/DevicePanel.h"

#include "platform/widgets/ScreenPlacement.h"

DevicePanel::DevicePanel(QWidget* parent) : QDialog(parent, Qt::Tool)
{
    setModal(false);
}

void DevicePanel::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ScreenPlacement::toLowerLeft(*this);
}

void DevicePanel::reject()
{
    QDialog::reject();
    if (m_closed)
        m_closed();
}
