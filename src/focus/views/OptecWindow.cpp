#include "focus/views/OptecWindow.h"

#include "focus/FocuserFrame.h"
#include "focus/OptecFrame.h"
#include "focus/views/FocuserWidgets.h"
#include "platform/widgets/EditingFinished.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>

OptecWindow::OptecWindow(QWidget* parent)
    : FocuserWindow(QStringLiteral("Optec TCF-S"), parent),
      m_speedRows(new QButtonGroup(this)),
      m_goto(FocuserWidgets::countField(7000)),
      m_focusButtons(new QButtonGroup(this)),
      m_modes(new QButtonGroup(this))
{
    auto* speeds = new QGridLayout;
    const QString names[] = {tr("Fine"), tr("Slow"), tr("Medium"), tr("Fast")};
    for (int slot = 0; slot < 4; ++slot) {
        auto* row = new QRadioButton(names[slot]);
        row->setFocusPolicy(Qt::NoFocus);
        m_speedRows->addButton(row, slot);
        m_speeds[size_t(slot)] = FocuserWidgets::countField(65535);
        speeds->addWidget(row, slot, 0);
        speeds->addWidget(m_speeds[size_t(slot)], slot, 1);
    }
    m_speedRows->button(0)->setChecked(true);
    focuserForm()->addRow(tr("Speed:"), speeds);

    auto* moves = new QHBoxLayout;
    QPushButton* in = FocuserWidgets::actionButton(tr("In"));
    QPushButton* out = FocuserWidgets::actionButton(tr("Out"));
    QPushButton* go = FocuserWidgets::actionButton(tr("Go To"));
    m_focusButtons->addButton(in, 1);
    m_focusButtons->addButton(out, 2);
    m_focusButtons->addButton(go, 3);
    moves->addWidget(in);
    moves->addWidget(out);
    moves->addWidget(m_goto);
    moves->addWidget(go);
    focuserForm()->addRow(tr("Move:"), moves);

    auto* modes = new QHBoxLayout;
    const QString modeNames[] = {tr("Manual"), tr("Auto A"), tr("Auto B")};
    for (int row = 0; row < 3; ++row) {
        auto* mode = new QRadioButton(modeNames[row]);
        mode->setFocusPolicy(Qt::NoFocus);
        m_modes->addButton(mode, row);
        modes->addWidget(mode);
    }
    m_modes->button(0)->setChecked(true);
    focuserForm()->addRow(tr("Mode:"), modes);
    addTab(buildTemperatureTab(), tr("Temperature"), FocuserFrame::kTemperatureTab);
}

QWidget* OptecWindow::buildTemperatureTab()
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    m_slopeChoice = new QButtonGroup(page);
    auto* choice = new QHBoxLayout;
    for (int column = 0; column < 2; ++column) {
        auto* slope = new QRadioButton(column == 0 ? tr("Slope A") : tr("Slope B"));
        slope->setFocusPolicy(Qt::NoFocus);
        m_slopeChoice->addButton(slope, column);
        choice->addWidget(slope);
    }
    m_slopeChoice->button(0)->setChecked(true);
    form->addRow(choice);
    m_currentSlope = FocuserWidgets::readout();
    m_average = FocuserWidgets::readout();
    m_calculated = FocuserWidgets::readout();
    m_startTemp = FocuserWidgets::readout();
    m_delta = FocuserWidgets::readout();
    m_calcEntry = FocuserWidgets::countField(999);
    form->addRow(tr("Stored slope:"), m_currentSlope);
    form->addRow(tr("Start temperature:"), m_startTemp);
    form->addRow(tr("Temperature change:"), m_delta);
    form->addRow(tr("Average slope:"), m_average);
    form->addRow(tr("Calculated slope:"), m_calculated);
    form->addRow(tr("Slope to store:"), m_calcEntry);
    m_learnButtons = new QButtonGroup(page);
    auto* buttons = new QHBoxLayout;
    const QString titles[] = {tr("Start"), tr("Calculate"), tr("Store Average"), tr("Store Calculated")};
    for (int tag = OptecFrame::kLearnStart; tag <= OptecFrame::kStoreCalculated; ++tag) {
        QPushButton* learn = FocuserWidgets::actionButton(titles[tag - 1]);
        m_learnButtons->addButton(learn, tag);
        buttons->addWidget(learn);
    }
    form->addRow(buttons);
    return page;
}

void OptecWindow::attachOptec(OptecFrame& frame)
{
    attach(frame);
    m_optec = &frame;
    connect(m_focusButtons, &QButtonGroup::idClicked, this,
            [this](int tag) { m_optec->focusAction(tag, m_goto->value()); });
    connect(m_modes, &QButtonGroup::idClicked, this, [this](int row) { m_optec->modeAction(row); });
    connect(m_speedRows, &QButtonGroup::idClicked, this, [this](int row) { m_optec->speedAction(row); });
    for (int slot = 0; slot < 4; ++slot) {
        QSpinBox* field = m_speeds[size_t(slot)];
        EditingFinished::connect(field, this,
                [this, slot, field] { m_optec->speedTextAction(slot, field->value()); });
    }
    connect(m_slopeChoice, &QButtonGroup::idClicked, this, [this](int column) { m_optec->tempModeAction(column); });
    EditingFinished::connect(m_calcEntry, this,
            [this] { m_optec->tempCalcAction(m_calcEntry->value()); });
    connect(m_learnButtons, &QButtonGroup::idClicked, this, [this](int tag) { m_optec->tempControlAction(tag); });
    showSpeeds({frame.getOptecSpeed(0), frame.getOptecSpeed(1), frame.getOptecSpeed(2), frame.getOptecSpeed(3)});
}

void OptecWindow::showSpeeds(const std::array<quint16, 4>& speeds)
{
    for (size_t slot = 0; slot < speeds.size(); ++slot) {
        const QSignalBlocker blocker(m_speeds[slot]);
        m_speeds[slot]->setValue(speeds[slot]);
    }
}

void OptecWindow::showCurrentSlope(int slope)
{
    m_currentSlope->setText(QString::number(slope));
}

void OptecWindow::showLearning(const QString& average, const QString& calculated,
                               const QString& startTemp, const QString& delta)
{
    m_average->setText(average);
    m_calculated->setText(calculated);
    m_startTemp->setText(startTemp);
    m_delta->setText(delta);
}
