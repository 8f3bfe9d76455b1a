#pragma once

#include "chart/BottomPanel.h"

#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>

class PrefControl;
class QProgressBar;
class SkyDateModel;
class SkyView;
class StarDatabaseModel;
struct ChartOutlets;

// The readout line under the chart: the sky date at the left, then up to six
// readouts chosen by the user (view direction, cursor place, times, Julian
// day, site), then the twilight level. While a cursor readout is shown a
// 0.25 s timer keeps it following the mouse.
class SkyBottomPanel final : public QWidget, public BottomPanel {
    Q_OBJECT
public:
    static constexpr int kSlotCount = 6;
    static constexpr int kCursorIntervalMs = 250;

    // `twilightLevel` gives the planetary pass's level, -0.5 (night) to 17.5 (day).
    SkyBottomPanel(PrefControl& prefs, SkyDateModel& skyDate, StarDatabaseModel& model, SkyView& view,
                   const ChartOutlets& outlets, std::function<double()> twilightLevel,
                   QWidget* parent = nullptr);

    void updateBottomPanel() override;
    void updateTwilight() override;
    // The date text only.
    void updateTime();
    QString calcMouseRA();
    QString calcMouseAlt();

    void setCursorInterval(int ms) { m_cursorTimer.setInterval(ms); }
    bool isCursorTimer() const { return m_isCursorTimer; }
    bool isCursorTimerActive() const { return m_cursorTimer.isActive(); }
    const QLabel& dateTimeText() const { return *m_dateTimeText; }
    const QLabel& skyBottomText(int slot) const { return *m_skyBottomText[std::size_t(slot)]; }
    const QProgressBar& twilightBar() const { return *m_twilight; }

    // The window where the readouts are chosen, shown from the line's
    // context menu.
    void setReadoutChooser(QWidget* chooser) { m_chooser = chooser; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void runCursorTimer();
    void mousePosition();
    QString readout(int code);

    PrefControl& m_prefs;
    SkyDateModel& m_skyDate;
    StarDatabaseModel& m_model;
    SkyView& m_view;
    const ChartOutlets& m_outlets;
    std::function<double()> m_twilightLevel;
    QWidget* m_skyBottomBox;
    QLabel* m_dateTimeText;
    std::array<QLabel*, kSlotCount> m_skyBottomText{};
    QProgressBar* m_twilight;
    QWidget* m_chooser = nullptr;
    QTimer m_cursorTimer;
    bool m_isCursorTimer = false;
};
