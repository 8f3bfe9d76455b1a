#include "chart/panels/FloatingControlPanel.h"

#include "model/settings/PrefControl.h"
#include "platform/widgets/ScreenPlacement.h"

#include <algorithm>
#include <utility>

FloatingControlPanel::FloatingControlPanel(PrefControl& prefs, const QString& title,
                                           std::function<void()> toggleOpenFlag, QWidget* parent)
    : QDialog(parent, Qt::Tool), m_prefs(prefs), m_toggleOpenFlag(std::move(toggleOpenFlag))
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

void FloatingControlPanel::reject()
{
    // Escape and the window's close button both end here: the user closed it.
    m_toggleOpenFlag();
    QDialog::reject();
}

void FloatingControlPanel::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // A panel put back where the user left it stays there.
    if (std::exchange(m_isPlaced, true) || testAttribute(Qt::WA_Moved))
        return;
    ScreenPlacement::toLowerLeft(*this);
    moveClearOfOtherPanels();
}

void FloatingControlPanel::moveClearOfOtherPanels()
{
    if (!parentWidget())
        return;
    const QList<FloatingControlPanel*> panels =
        parentWidget()->findChildren<FloatingControlPanel*>(Qt::FindDirectChildrenOnly);
    // Each move clears one panel; as many passes as panels clear them all.
    for (qsizetype pass = 0; pass < panels.size(); ++pass) {
        const auto over = std::find_if(panels.begin(), panels.end(), [this](const FloatingControlPanel* other) {
            return other != this && other->isVisible() && other->frameGeometry().intersects(frameGeometry());
        });
        if (over == panels.end())
            return;
        move((*over)->frameGeometry().right() + 1 + ScreenPlacement::kGap, pos().y());
    }
}
