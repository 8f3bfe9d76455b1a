#pragma once

#include "platform/widgets/InactiveHider.h"

#include <QDialog>

#include <functional>

class PrefControl;

// The window behaviour the time and direction panels share: a tool window
// over the chart, see-through (alpha 0.25) with the transparency setting
// while the mouse is elsewhere, placed at the screen's lower left when it
// would not fit and beside the other floating panels, and a close by the
// user (its close button or Escape) that flips its stored open flag.
class FloatingControlPanel : public QDialog {
    Q_OBJECT
public:
    static constexpr double kTransparentAlpha = 0.25;

    // `toggleOpenFlag` flips the panel's stored open setting.
    FloatingControlPanel(PrefControl& prefs, const QString& title, std::function<void()> toggleOpenFlag,
                         QWidget* parent);

    void applyTransparency();
    // Escape and the window's close button: the user closes the panel.
    void reject() override;
    // Whether the panel hides while the application is inactive.
    void applyHide(bool hide) { m_inactiveHider.setHides(hide); }

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

    PrefControl& m_prefs;

private:
    // Beside, never over, the window's other floating panels already shown.
    void moveClearOfOtherPanels();

    std::function<void()> m_toggleOpenFlag;
    bool m_isPlaced = false;
    InactiveHider m_inactiveHider{*this};
};
