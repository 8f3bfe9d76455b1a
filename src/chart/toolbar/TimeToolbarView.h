#pragma once

#include <QWidget>

#include <functional>

// The toolbar's four time steppers: seconds, minutes, hours and days, each
// a forward and a backward button; a click hands the stepper's tag (1 to 4)
// and its direction on.
class TimeToolbarView final : public QWidget {
public:
    using Step = std::function<void(int tag, bool forward)>;
    explicit TimeToolbarView(Step step, QWidget* parent = nullptr);
};
