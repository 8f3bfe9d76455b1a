#pragma once

#include <QSlider>

// A horizontal slider over a range of decimal values in fixed steps. Only
// the user's moves emit valueEdited; setValue() shows a stored value quietly.
class ValueSlider final : public QSlider {
    Q_OBJECT
public:
    ValueSlider(double minimum, double maximum, double step, QWidget* parent = nullptr);

    double value() const;
    void setValue(double value);

signals:
    void valueEdited(double value);

private:
    double m_minimum;
    double m_step;
};
