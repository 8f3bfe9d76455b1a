#include "chart/panels/FloatingControlPanel.h"

#include "model/settings/PrefControl.h"
#include "platform/widgets/ScreenPlacement.h"

#include <QCloseEvent>

FloatingControlPanel::FloatingControlPanel(PrefControl& prefs, const QString& title,
                                           std::function<void()> toggleOpenFlag, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_prefs(prefs), m_toggleOpenFlag(std::move(toggleOpenFlag))
{
    setWindowTitle(title);
    setModal(false);
}

void FloatingControlPanel::applyTransparency()
{
    setWindowOpacity(m_prefs.isTransparent() ? kTransparentAlpha : 1.0);
}

void FloatingControlPanel::enterEvent(QEnterEvent* event)
{
    setWindowOpacity(1.0);
    QDialog::enterEvent(event);
}

void FloatingControlPanel::leaveEvent(QEvent* event)
{
    applyTransparency();
    QDialog::leaveEvent(event);
}

void FloatingControlPanel::closeEvent(QCloseEvent* event)
{
    m_toggleOpenFlag();
    QDialog::closeEvent(event);
}

void FloatingControlPanel::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_isPlaced)
        return;
    m_isPlaced = true;
    ScreenPlacement::toLowerLeft(*this);
}
