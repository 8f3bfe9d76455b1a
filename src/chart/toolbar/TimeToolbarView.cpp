#include "chart/toolbar/TimeToolbarView.h"

#include <QGridLayout>
#include <QToolButton>

TimeToolbarView::TimeToolbarView(Step step, QWidget* parent) : QWidget(parent)
{
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    for (int tag = 1; tag <= 4; ++tag) {
        for (const bool forward : {true, false}) {
            auto* button = new QToolButton(this);
            button->setArrowType(forward ? Qt::UpArrow : Qt::DownArrow);
            button->setAutoRepeat(true);
            button->setFixedSize(18, 12);
            connect(button, &QToolButton::clicked, this, [step, tag, forward] { step(tag, forward); });
            layout->addWidget(button, forward ? 0 : 1, tag - 1);
        }
    }
}
