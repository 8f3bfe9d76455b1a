#include "platform/widgets/DevicePanel.h"

#include "platform/widgets/ScreenPlacement.h"

#include <QCloseEvent>
#include <QKeyEvent>

DevicePanel::DevicePanel(QWidget* parent) : QDialog(parent, Qt::Tool)
{
    setModal(false);
}

void DevicePanel::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ScreenPlacement::toLowerLeft(*this);
}

void DevicePanel::closeEvent(QCloseEvent* event)
{
    // A panel already hidden was not closed by the user.
    if (isVisible() && m_closed)
        m_closed();
    QDialog::closeEvent(event);
}

void DevicePanel::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
