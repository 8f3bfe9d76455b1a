#include "focus/views/FocuserWidgets.h"

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace FocuserWidgets {

QSpinBox* countField(int most)
{
    auto* field = new QSpinBox;
    field->setRange(0, most);
    field->setFocusPolicy(Qt::ClickFocus);
    return field;
}

QPushButton* actionButton(const QString& title)
{
    auto* button = new QPushButton(title);
    button->setObjectName(title);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QLabel* readout()
{
    auto* label = new QLabel(QStringLiteral("---"));
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

}  // namespace FocuserWidgets
