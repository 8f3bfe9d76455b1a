#include "focus/views/RoboWindow.h"

#include "focus/FocuserFrame.h"
#include "focus/RoboFrame.h"
#include "focus/views/FocuserWidgets.h"
#include "platform/widgets/EditingFinished.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>

RoboWindow::RoboWindow(QWidget* parent)
    : FocuserWindow(QStringLiteral("RoboFocus"), parent),
      m_moves(new QButtonGroup(this)),
      m_goto(FocuserWidgets::countField(64000)),
      m_speed(new QComboBox),
      m_level(new QProgressBar)
{
    auto* moves = new QHBoxLayout;
    const QString titles[] = {tr("In"), tr("Out"), tr("Go To")};
    for (int tag = RoboFrame::kIn; tag <= RoboFrame::kGoto; ++tag) {
        QPushButton* move = FocuserWidgets::actionButton(titles[tag - 1]);
        move->setCheckable(tag != RoboFrame::kGoto);
        m_moves->addButton(move, tag);
        moves->addWidget(move);
    }
    m_moves->setExclusive(false);
    moves->addWidget(m_goto);
    focuserForm()->addRow(tr("Move:"), moves);
    for (const int steps : {1, 10, 100, 1000})
        m_speed->addItem(QString::number(steps), steps);
    m_speed->setFocusPolicy(Qt::NoFocus);
    focuserForm()->addRow(tr("Steps:"), m_speed);
    m_level->setRange(0, 100);
    focuserForm()->addRow(tr("Travel:"), m_level);
    addTab(buildSettingsTab(), tr("Settings"), kSettingsTab);
    addTab(buildTemperatureTab(), tr("Temperature"), FocuserFrame::kTemperatureTab);
}

QWidget* RoboWindow::buildSettingsTab()
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    const QString names[] = {tr("Backlash:"), tr("Position:"), tr("Maximum:"), tr("Duty cycle (%):"),
                             tr("Step delay:"), tr("Step size:")};
    const int most[] = {99999, 64000, 64000, 255, 255, 255};
    for (size_t i = 0; i < m_fields.size(); ++i) {
        m_fields[i] = FocuserWidgets::countField(most[i]);
        form->addRow(names[i], m_fields[i]);
    }
    m_direction = new QButtonGroup(page);
    auto* directions = new QHBoxLayout;
    for (int row = 0; row < 2; ++row) {
        auto* direction = new QRadioButton(row == 0 ? tr("Out") : tr("In"));
        direction->setFocusPolicy(Qt::NoFocus);
        m_direction->addButton(direction, row);
        directions->addWidget(direction);
    }
    form->addRow(tr("Backlash direction:"), directions);
    auto* outputs = new QHBoxLayout;
    for (int k = 1; k <= 4; ++k) {
        m_outputs[size_t(k - 1)] = new QCheckBox(QString::number(k));
        m_outputs[size_t(k - 1)]->setFocusPolicy(Qt::NoFocus);
        outputs->addWidget(m_outputs[size_t(k - 1)]);
    }
    form->addRow(tr("Power:"), outputs);
    return page;
}

QWidget* RoboWindow::buildTemperatureTab()
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    m_tempButtons = new QButtonGroup(page);
    QPushButton* learn = FocuserWidgets::actionButton(tr("Learn"));
    learn->setCheckable(true);
    QPushButton* calculate = FocuserWidgets::actionButton(tr("Calculate"));
    m_tempButtons->addButton(learn, RoboFrame::kLearn);
    m_tempButtons->addButton(calculate, RoboFrame::kCalculate);
    m_tempButtons->setExclusive(false);
    auto* learning = new QHBoxLayout;
    learning->addWidget(learn);
    learning->addWidget(calculate);
    form->addRow(learning);
    m_slopeEntry = new QDoubleSpinBox;
    m_slopeEntry->setRange(-9999.0, 9999.0);
    m_slopeEntry->setDecimals(1);
    m_slopeEntry->setFocusPolicy(Qt::ClickFocus);
    form->addRow(tr("Slope (steps/\u00B0C):"), m_slopeEntry);
    m_slope = new QLabel(QStringLiteral("0.0"));
    m_delta = new QLabel(QStringLiteral("---"));
    form->addRow(tr("Slope:"), m_slope);
    form->addRow(tr("Temperature change:"), m_delta);
    m_compensate = new QCheckBox(tr("Compensate automatically"));
    m_compensate->setFocusPolicy(Qt::NoFocus);
    form->addRow(m_compensate);
    m_rate = new QComboBox;
    for (const int seconds : {1, 5, 10, 30, 60})
        m_rate->addItem(tr("%1 s").arg(seconds), seconds);
    m_rate->setFocusPolicy(Qt::NoFocus);
    form->addRow(tr("Every:"), m_rate);
    return page;
}

QSpinBox* RoboWindow::field(int tag) const
{
    return tag >= RoboFrame::kBacklashField && tag <= RoboFrame::kStepSizeField
               ? m_fields[size_t(tag - RoboFrame::kBacklashField)]
               : nullptr;
}

void RoboWindow::attachRobo(RoboFrame& frame)
{
    attach(frame);
    m_robo = &frame;
    connect(m_moves, &QButtonGroup::idClicked, this,
            [this](int tag) { m_robo->focusAction(tag, m_goto->value()); });
    connect(m_speed, &QComboBox::currentIndexChanged, this,
            [this] { m_robo->focusAction(RoboFrame::kSpeed, m_speed->currentData().toInt()); });
    for (int tag = RoboFrame::kBacklashField; tag <= RoboFrame::kStepSizeField; ++tag) {
        QSpinBox* entry = field(tag);
        EditingFinished::connect(entry, this,
                [this, tag, entry] { m_robo->editTextAction(tag, entry->value()); });
    }
    connect(m_direction, &QButtonGroup::idClicked, this,
            [this](int row) { m_robo->editTextAction(RoboFrame::kDirectionMatrix, row); });
    for (int k = 1; k <= 4; ++k) {
        connect(output(k), &QCheckBox::clicked, this, [this, k](bool on) { m_robo->relayAction(k, on); });
    }
    connect(m_tempButtons, &QButtonGroup::idClicked, this, [this](int tag) { m_robo->tempAction(tag); });
    connect(m_compensate, &QCheckBox::clicked, this,
            [this](bool on) { m_robo->tempAction(RoboFrame::kCompensate, on ? 1.0 : 0.0); });
    connect(m_rate, &QComboBox::currentIndexChanged, this,
            [this] { m_robo->tempAction(RoboFrame::kUpdateRate, m_rate->currentData().toDouble()); });
    EditingFinished::connect(m_slopeEntry, this,
            [this] { m_robo->tempAction(RoboFrame::kSlopeField, m_slopeEntry->value()); });
    showSlope(QString::asprintf("%.1f", double(frame.roboSlope())));
}

void RoboWindow::showConfig(int duty, int delay, int stepSize)
{
    const int values[] = {duty, delay, stepSize};
    for (int i = 0; i < 3; ++i) {
        QSpinBox* entry = field(RoboFrame::kDutyField + i);
        const QSignalBlocker blocker(entry);
        entry->setValue(values[i]);
    }
}

void RoboWindow::showBacklash(int amount)
{
    const QSignalBlocker blocker(field(RoboFrame::kBacklashField));
    field(RoboFrame::kBacklashField)->setValue(amount);
}

void RoboWindow::selectBacklashDirection(int direction)
{
    if (direction == 2 || direction == 3)
        m_direction->button(direction - 2)->setChecked(true);
}

void RoboWindow::showMaximum(int steps)
{
    const QSignalBlocker blocker(field(RoboFrame::kMaximumField));
    field(RoboFrame::kMaximumField)->setValue(steps);
}

void RoboWindow::showOutputs(const std::array<bool, 4>& on)
{
    for (int k = 1; k <= 4; ++k)
        output(k)->setChecked(on[size_t(k - 1)]);
}

void RoboWindow::showLevel(int percent)
{
    m_level->setValue(percent);
}

void RoboWindow::clearMoveButtons()
{
    for (int tag : {RoboFrame::kIn, RoboFrame::kOut})
        m_moves->button(tag)->setChecked(false);
}

void RoboWindow::showSlope(const QString& slope)
{
    m_slope->setText(slope);
}

void RoboWindow::showTempDelta(const QString& delta)
{
    m_delta->setText(delta);
}
