#pragma once

#include "focus/AutoFocusDisplay.h"
#include "focus/FocuserDisplay.h"
#include "mount/links/ConnectMenuLinks.h"
#include "platform/widgets/HidesOnDeactivate.h"
#include "platform/widgets/InactiveHider.h"

#include <QDialog>

class FocusCurveView;
class FocuserFrame;
class QComboBox;
class QFormLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTabWidget;

// The window every serial focuser shows: a tool window above the chart, as
// every panel, never above another program's windows, on its only screen, with a
// focuser tab (status, position, temperature, critical focus zone; the
// model adds its controls), an autofocus tab (samples, positions, steps,
// start and best-focus buttons, progress, results and the curve view) and
// the tabs a model adds. A tab the frame refuses stays unselected. The
// model's frame joins once made (attach).
class FocuserWindow : public QDialog,
                      public FocuserDisplay,
                      public AutoFocusDisplay,
                      public MenuPanel,
                      public HidesOnDeactivate {
    Q_OBJECT
public:
    static constexpr int kFocuserTab = 1;

    FocuserWindow(const QString& title, QWidget* parent = nullptr);

    // Joins the model's frame: the controls act on it from now on.
    void attach(FocuserFrame& frame);

    void showStatus(const QString& text) override;
    void showPosition(const QString& text) override;
    void showTemperature(const QString& text) override;
    void showCriticalFocusZone(const QString& text) override;
    void orderFront() override;
    void orderOut() override { hide(); }

    void showRunning(bool running) override;
    void showProgress(int percent) override;
    void showFocusResult(quint16 bestFocus, float rms) override;
    void showRunPosition(quint16 position) override;
    void redrawCurve() override;

    bool isVisible() const override { return QWidget::isVisible(); }
    void show() override { orderFront(); }
    void hide() override { QWidget::hide(); }
    void setHide(bool hide) override { m_inactiveHider.setHides(hide); }

    // Adds a model's tab, guarded by the frame under `identifier`.
    void addTab(QWidget* page, const QString& title, int identifier);
    // Selects the tab if the frame allows it; false when refused.
    bool selectTab(int identifier);
    int currentTab() const;
    QTabWidget* tabs() const { return m_tabs; }
    // The focuser tab's fields, for a model's rows.
    QFormLayout* focuserForm() const { return m_focuserForm; }
    QPushButton* startButton() const { return m_startButton; }
    QLabel* statusField() const { return m_status; }
    QLabel* positionField() const { return m_position; }
    QLabel* bestFocusField() const { return m_bestFocus; }
    QLabel* rmsField() const { return m_rms; }
    FocusCurveView* curveView() const { return m_curveView; }

protected:
    // Where the window goes when first shown: 30 points in from the lower
    // left of its only screen when it lies partly outside.
    virtual void placeOnScreen();
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    QWidget* buildAutoFocusTab();
    void tabChanged(int index);

    FocuserFrame* m_frame = nullptr;
    QTabWidget* m_tabs;
    QFormLayout* m_focuserForm;
    QLabel* m_status;
    QLabel* m_position;
    QLabel* m_temperature;
    QLabel* m_zone;
    QComboBox* m_samples = nullptr;
    QComboBox* m_images = nullptr;
    QSpinBox* m_steps = nullptr;
    QPushButton* m_startButton = nullptr;
    QPushButton* m_bestButton = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_bestFocus = nullptr;
    QLabel* m_rms = nullptr;
    QLabel* m_runPosition = nullptr;
    FocusCurveView* m_curveView = nullptr;
    QWidget* m_autoFocusPage = nullptr;
    int m_lastTab = 0;
    bool m_isPlaced = false;
    InactiveHider m_inactiveHider{*this};
};
