#include "find/panels/TonightHours.h"

#include <QPainter>
#include <QScrollBar>

namespace {

constexpr double kScrollRange = 1600.0;  // chart width less the visible 800
constexpr double kMidnightOffset = 400.0;
constexpr double kHour = 100.0;
constexpr double kHalfHour = 50.0;
constexpr double kHourTick = 15.0;
constexpr double kHalfHourTick = 10.0;
constexpr double kLeftStop = 49.0;
constexpr double kRightStop = 751.0;
constexpr int kLabelSize = 9;

}  // namespace

TonightHours::TonightHours(QScrollBar& hoursScoller, QWidget* parent) : QWidget(parent), m_scroller(hoursScoller)
{
    setFixedHeight(kHeight);
    connect(&m_scroller, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
}

double TonightHours::scrollValue() const
{
    const int range = m_scroller.maximum() - m_scroller.minimum();
    return range > 0 ? double(m_scroller.value() - m_scroller.minimum()) / range : 0.0;
}

void TonightHours::setHourLabels(std::function<QString(int hours)> labels)
{
    m_labels = std::move(labels);
    update();
}

QString TonightHours::hourLabel(int hours) const
{
    return m_labels ? m_labels(hours) : QStringLiteral("%1:00").arg((hours + 24) % 24);
}

void TonightHours::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(QPen(Qt::black, 0.5));
    QFont font = painter.font();
    font.setPointSize(kLabelSize);
    painter.setFont(font);
    // Ruler y runs upward from the bottom edge.
    const double h = height();
    const auto tick = [&](double x, double length) { painter.drawLine(QPointF(x, h - 1), QPointF(x, h - length)); };
    const auto label = [&](double x, const QString& text) { painter.drawText(QPointF(x, h - 2), text); };

    const double midnight = (1.0 - scrollValue()) * kScrollRange - kMidnightOffset;
    label(midnight + 2, QStringLiteral("Midnight"));
    tick(midnight, kHourTick);
    int hour = -1;
    for (double x = midnight; x >= kLeftStop; x -= kHour, --hour) {
        tick(x - kHalfHour, kHalfHourTick);
        tick(x - kHour, kHourTick);
        label(x - kHour + 2, hourLabel(hour));
    }
    hour = 1;
    for (double x = midnight; x <= kRightStop; x += kHour, ++hour) {
        if (x != midnight)
            tick(x + kHalfHour, kHalfHourTick);
        tick(x + kHour, kHourTick);
        label(x + kHour + 2, hourLabel(hour));
    }
}
