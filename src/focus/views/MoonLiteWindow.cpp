#include "focus/views/MoonLiteWindow.h"

#include "focus/FocuserFrame.h"
#include "focus/MoonLiteFrame.h"
#include "focus/views/FocusCurveView.h"
#include "platform/widgets/EditingFinished.h"
#include "platform/widgets/ScreenPlacement.h"
#include "focus/views/FocuserWidgets.h"

#include <QApplication>
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
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>

namespace {

bool isAltHeld()
{
    return QApplication::keyboardModifiers().testFlag(Qt::AltModifier);
}

}  // namespace

MoonLiteWindow::MoonLiteWindow(QWidget* parent)
    : FocuserWindow(QStringLiteral("MoonLite Focuser"), parent),
      m_level(new QProgressBar),
      m_gotoField(new QSpinBox),
      m_maximum(new QLabel(QStringLiteral("65535"))),
      m_speedCells(new QButtonGroup(this)),
      m_halfStep(new QCheckBox(tr("Half step")))
{
    m_level->setRange(0, 100);
    m_level->setValue(0);
    m_gotoField->setRange(0, 65535);
    m_gotoField->setFocusPolicy(Qt::ClickFocus);
    m_halfStep->setFocusPolicy(Qt::NoFocus);
    focuserForm()->addRow(tr("Level:"), m_level);
    auto* moves = new QHBoxLayout;
    for (const QString& text : {tr("In"), tr("Out")})
        moves->addWidget(FocuserWidgets::actionButton(text));
    focuserForm()->addRow(moves);
    auto* gotoRow = new QHBoxLayout;
    gotoRow->addWidget(m_gotoField);
    gotoRow->addWidget(FocuserWidgets::actionButton(tr("Go To")));
    focuserForm()->addRow(tr("Go to:"), gotoRow);
    auto* cells = new QHBoxLayout;
    const QString speeds[] = {tr("Slowest"), tr("Slow"), tr("Medium"), tr("Fast"), tr("Fastest")};
    for (int cell = 1; cell <= 5; ++cell) {
        auto* radio = new QRadioButton(speeds[cell - 1]);
        radio->setFocusPolicy(Qt::NoFocus);
        m_speedCells->addButton(radio, cell);
        cells->addWidget(radio);
    }
    focuserForm()->addRow(tr("Speed:"), cells);
    auto* maxRow = new QHBoxLayout;
    maxRow->addWidget(m_maximum);
    maxRow->addWidget(FocuserWidgets::actionButton(tr("Set Max")));
    maxRow->addWidget(FocuserWidgets::actionButton(tr("Zero")));
    focuserForm()->addRow(tr("Maximum:"), maxRow);
    focuserForm()->addRow(m_halfStep);
    addTab(buildTemperatureTab(), tr("Temperature"), FocuserFrame::kTemperatureTab);
}

QWidget* MoonLiteWindow::buildTemperatureTab()
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    m_slope = new QDoubleSpinBox;
    m_slope->setRange(-9999.0, 9999.0);
    m_slope->setDecimals(0);
    m_slope->setFocusPolicy(Qt::ClickFocus);
    m_delta = new QLabel(QStringLiteral("0.0 \u00B0C"));
    m_compensation = new QCheckBox(tr("Compensate"));
    m_compensation->setFocusPolicy(Qt::NoFocus);
    m_rate = new QComboBox;
    for (const int seconds : {1, 5, 10, 30, 60, 300})
        m_rate->addItem(tr("%n s", nullptr, seconds), seconds);
    auto* learnRow = new QHBoxLayout;
    learnRow->addWidget(FocuserWidgets::actionButton(tr("Learn")));
    learnRow->addWidget(FocuserWidgets::actionButton(tr("Calculate")));
    form->addRow(learnRow);
    form->addRow(tr("Slope (steps/\u00B0C):"), m_slope);
    form->addRow(tr("Cooling:"), m_delta);
    form->addRow(m_compensation);
    form->addRow(tr("Every:"), m_rate);
    return page;
}

QPushButton* MoonLiteWindow::button(const QString& text) const
{
    return findChild<QPushButton*>(text);
}

void MoonLiteWindow::attachMoonLite(MoonLiteFrame& frame)
{
    attach(frame);
    curveView()->setIntegerColumns(true);
    const auto onClick = [this](const QString& text, auto action) {
        connect(button(text), &QPushButton::clicked, this, action);
    };
    onClick(tr("In"), [&frame] { frame.moveAction(MoonLiteFrame::kIn, 0, isAltHeld()); });
    onClick(tr("Out"), [&frame] { frame.moveAction(MoonLiteFrame::kOut, 0, isAltHeld()); });
    onClick(tr("Go To"),
            [this, &frame] { frame.moveAction(MoonLiteFrame::kGoto, m_gotoField->value(), isAltHeld()); });
    connect(m_speedCells, &QButtonGroup::idClicked, this,
            [&frame](int cell) { frame.moveAction(MoonLiteFrame::kSpeedCells, cell); });
    onClick(tr("Zero"), [&frame] { frame.setupAction(MoonLiteFrame::kZero); });
    onClick(tr("Set Max"), [&frame] { frame.setupAction(MoonLiteFrame::kMax); });
    connect(m_halfStep, &QCheckBox::clicked, this, [&frame](bool on) { frame.setupAction(MoonLiteFrame::kHalfStep, on); });
    onClick(tr("Learn"), [&frame] { frame.tempAction(MoonLiteFrame::kLearn); });
    onClick(tr("Calculate"), [&frame] { frame.tempAction(MoonLiteFrame::kCalculate); });
    connect(m_compensation, &QCheckBox::clicked, this, [this, &frame](bool on) {
        frame.tempAction(MoonLiteFrame::kCompensation, m_slope->value(), on);
    });
    EditingFinished::connect(m_slope, this,
            [this, &frame] { frame.tempAction(MoonLiteFrame::kSlopeField, m_slope->value()); });
    connect(m_rate, &QComboBox::currentIndexChanged, this,
            [this, &frame] { frame.tempAction(MoonLiteFrame::kRate, m_rate->currentData().toDouble()); });
}

void MoonLiteWindow::placeOnScreen()
{
    const QScreen* shown = screen();
    if (!shown)
        return;
    const QRect area = shown->availableGeometry();
    if (!area.contains(frameGeometry()))
        ScreenPlacement::toPoint(*this, area.topLeft() + QPoint(20, 20));
}

void MoonLiteWindow::showMaximum(quint16 maximum) { m_maximum->setText(QString::number(maximum)); }

void MoonLiteWindow::selectSpeedCell(int cell)
{
    if (QAbstractButton* radio = m_speedCells->button(cell)) {
        radio->setChecked(true);
        return;
    }
    // No cell for that delay: none is selected.
    m_speedCells->setExclusive(false);
    for (QAbstractButton* radio : m_speedCells->buttons())
        radio->setChecked(false);
    m_speedCells->setExclusive(true);
}

void MoonLiteWindow::showSlope(const QString& text)
{
    const QSignalBlocker blocker(m_slope);
    m_slope->setValue(text.toDouble());
}

void MoonLiteWindow::showDelta(const QString& text) { m_delta->setText(text); }
void MoonLiteWindow::enableCompensation(bool enabled) { m_compensation->setEnabled(enabled); }
void MoonLiteWindow::enableRatePopup(bool enabled) { m_rate->setEnabled(enabled); }

void MoonLiteWindow::showLearnTitle(const QString& title)
{
    button(tr("Learn"))->setText(title);
}

void MoonLiteWindow::showLevel(int percent) { m_level->setValue(percent); }
