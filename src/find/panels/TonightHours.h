#pragma once

#include <QWidget>

class QScrollBar;

// The hour ruler under the night planner's chart: midnight, the hours and
// half hours of the part of the chart the scroll bar shows.
class TonightHours final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 18;

    TonightHours(QScrollBar& hoursScoller, QWidget* parent = nullptr);
    QScrollBar& hoursScoller() const { return m_scroller; }
    // The scroll bar's position, 0 (left end) to 1 (right end).
    double scrollValue() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QScrollBar& m_scroller;
};
