#pragma once

#include "platform/widgets/InactiveHider.h"

#include <QMainWindow>

class PrefControl;
class QLabel;
class QToolButton;
class SSBodies;
class SSDrawer;
class SSView;
class SkyDateModel;

// The floating solar-system window: the orbit plot with its three readouts
// and the drawer's disclosure button below it, and the drawer at its side.
// Its keys zoom, tilt and rotate the plot and step the window's date.
class SSWindow final : public QMainWindow {
    Q_OBJECT
public:
    // `resourcesFolder` holds the plot's pictures. The settings, the sky date
    // and the bodies must outlive the window.
    SSWindow(const PrefControl& prefControl, const SkyDateModel& skyDateModel, SSBodies& bodies,
             const QString& resourcesFolder, QWidget* parent = nullptr);

    // Hides the window while the application is inactive.
    void setHide(bool hide) { m_inactiveHider.setHides(hide); }
    void doResize();
    void setDrawerLimits(const QRectF& rect);
    void updatePositions();

    SSView& ssView() { return *m_ssView; }
    SSDrawer& ssDrawer() { return *m_ssDrawer; }
    QToolButton& ssDrawerDisc() { return *m_ssDrawerDisc; }
    // The drawer's offsets from the window's top and bottom edges.
    QMargins drawerLimits() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Opens on the chart's date, not the one it last showed.
    void showEvent(QShowEvent* event) override;

private:
    const PrefControl& m_prefControl;
    SSView* m_ssView;
    SSDrawer* m_ssDrawer;
    QToolButton* m_ssDrawerDisc;
    InactiveHider m_inactiveHider{*this};
};
