#include "platform/widgets/DevicePanel.h"

#include "platform/widgets/ScreenPlacement.h"

#include <QCloseEvent>
#include <QKeyEvent>

#include <utility>

DevicePanel::DevicePanel(QWidget* parent) : QDialog(parent, Qt::Tool)
{
    setModal(false);
}

void DevicePanel::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Only a first show takes the default place, and only when nothing
    // placed the panel before (its place put back, say): later shows keep
    // the place the user gave it.
    if (std::exchange(m_isPlaced, true) || testAttribute(Qt::WA_Moved))
        return;
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
