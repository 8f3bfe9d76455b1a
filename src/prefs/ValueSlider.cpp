#include "prefs/ValueSlider.h"

#include <QSignalBlocker>

#include <cmath>

ValueSlider::ValueSlider(double minimum, double maximum, double step, QWidget* parent)
    : QSlider(Qt::Horizontal, parent), m_minimum(minimum), m_step(step)
{
    setRange(0, int(std::lround((maximum - minimum) / step)));
    connect(this, &QSlider::valueChanged, this, [this] { emit valueEdited(value()); });
}

double ValueSlider::value() const { return m_minimum + QSlider::value() * m_step; }

void ValueSlider::setValue(double value)
{
    const QSignalBlocker quiet(this);
    QSlider::setValue(int(std::lround((value - m_minimum) / m_step)));
}
