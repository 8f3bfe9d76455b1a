#pragma once

#include <QWidget>

#include <functional>

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
    // The label of the hour so many hours from midnight; unset, the plain clock hour.
    void setHourLabels(std::function<QString(int hours)> labels);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString hourLabel(int hours) const;

    QScrollBar& m_scroller;
    std::function<QString(int)> m_labels;
};
