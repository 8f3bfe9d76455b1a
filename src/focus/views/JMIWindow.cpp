#include "focus/views/JMIWindow.h"

#include "focus/JMIFrame.h"
#include "focus/JMISpeeds.h"
#include "focus/views/FocuserWidgets.h"
#include "platform/widgets/EditingFinished.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

JMIWindow::JMIWindow(QWidget* parent)
    : FocuserWindow(QStringLiteral("JMI Focuser"), parent),
      m_level(new QProgressBar),
      m_moving(new QProgressBar),
      m_gotoField(FocuserWidgets::countField(65535))
{
    m_level->setRange(0, 100);
    m_level->setValue(0);
    m_moving->setRange(0, 1);
    m_moving->setTextVisible(false);
    focuserForm()->addRow(tr("Level:"), m_level);
    focuserForm()->addRow(tr("Moving:"), m_moving);
    auto* moves = new QHBoxLayout;
    for (const QString& text : {tr("In"), tr("Out"), tr("Stop")})
        moves->addWidget(FocuserWidgets::actionButton(text));
    focuserForm()->addRow(moves);
    auto* gotoRow = new QHBoxLayout;
    gotoRow->addWidget(m_gotoField);
    gotoRow->addWidget(FocuserWidgets::actionButton(tr("Go To")));
    focuserForm()->addRow(tr("Go to:"), gotoRow);
    addTab(buildSetupTab(), tr("Set Up"), kSetupTab);
    addTab(buildSpeedsTab(), tr("Speeds"), kSpeedsTab);
}

QWidget* JMIWindow::buildSetupTab()
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    m_maxField = FocuserWidgets::countField(65535);
    m_maxField->setValue(65535);
    m_backlashField = FocuserWidgets::countField(65535);
    m_backlashBox = new QCheckBox(tr("Backlash compensation"));
    m_backlashBox->setFocusPolicy(Qt::NoFocus);
    form->addRow(FocuserWidgets::actionButton(tr("Zero")));
    auto* maxRow = new QHBoxLayout;
    maxRow->addWidget(m_maxField);
    maxRow->addWidget(FocuserWidgets::actionButton(tr("Set Max")));
    form->addRow(tr("Maximum:"), maxRow);
    form->addRow(FocuserWidgets::actionButton(tr("Initialize")));
    form->addRow(m_backlashBox);
    form->addRow(tr("Backlash:"), m_backlashField);
    return page;
}

QWidget* JMIWindow::buildSpeedsTab()
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    const QString labels[] = {tr("Slow:"), tr("Fast:"), tr("In/Out:")};
    for (size_t i = 0; i < m_sliders.size(); ++i) {
        // Two halvings to two doublings of each speed.
        m_sliders[i] = new QSlider(Qt::Horizontal);
        m_sliders[i]->setRange(-50, 50);
        m_sliders[i]->setFocusPolicy(Qt::NoFocus);
        form->addRow(labels[i], m_sliders[i]);
    }
    return page;
}

QPushButton* JMIWindow::button(const QString& text) const
{
    return findChild<QPushButton*>(text);
}

QSlider* JMIWindow::slider(int tag) const
{
    return tag >= 1 && tag <= int(m_sliders.size()) ? m_sliders[size_t(tag - 1)] : nullptr;
}

void JMIWindow::attachJMI(JMIFrame& frame)
{
    attach(frame);
    m_jmiFrame = &frame;
    const auto onClick = [this](const QString& text, auto action) {
        connect(button(text), &QPushButton::clicked, this, action);
    };
    onClick(tr("In"), [&frame] { frame.moveAction(JMIFrame::kIn); });
    onClick(tr("Out"), [&frame] { frame.moveAction(JMIFrame::kOut); });
    onClick(tr("Stop"), [&frame] { frame.moveAction(JMIFrame::kStop); });
    onClick(tr("Go To"), [this, &frame] { frame.moveAction(JMIFrame::kGoto, m_gotoField->value()); });
    onClick(tr("Zero"), [&frame] { frame.setupAction(JMIFrame::kZero); });
    onClick(tr("Set Max"), [this, &frame] { frame.setupAction(JMIFrame::kMax, m_maxField->value()); });
    onClick(tr("Initialize"), [&frame] { frame.setupAction(JMIFrame::kInitialize); });
    connect(m_backlashBox, &QCheckBox::clicked, this, [this, &frame](bool on) {
        frame.setupAction(JMIFrame::kBacklashBox, m_backlashField->value(), on);
    });
    EditingFinished::connect(m_backlashField, this,
            [this, &frame] { frame.setupAction(JMIFrame::kBacklashField, m_backlashField->value()); });
    for (int tag = 1; tag <= int(m_sliders.size()); ++tag) {
        connect(slider(tag), &QSlider::sliderReleased, this,
                [this, tag, &frame] { frame.speedAction(tag, slider(tag)->value()); });
    }
}

void JMIWindow::closeEvent(QCloseEvent* event)
{
    if (m_jmiFrame)
        m_jmiFrame->windowClosed();
    FocuserWindow::closeEvent(event);
}

void JMIWindow::setJMIBacklashButton(bool on)
{
    const QSignalBlocker blocker(m_backlashBox);
    m_backlashBox->setChecked(on);
}

void JMIWindow::setJMIBacklashText(quint16 amount)
{
    const QSignalBlocker blocker(m_backlashField);
    m_backlashField->setValue(amount);
}

void JMIWindow::setJMIMaxValueText(quint16 maximum)
{
    const QSignalBlocker blocker(m_maxField);
    m_maxField->setValue(maximum);
}

void JMIWindow::setJMISpeedSlider(float slow, float fast, float io)
{
    const float factors[] = {slow, fast, io};
    for (size_t i = 0; i < m_sliders.size(); ++i) {
        const QSignalBlocker blocker(m_sliders[i]);
        m_sliders[i]->setValue(JMISpeedSlider::position(factors[i]));
    }
}

void JMIWindow::showLevel(int percent)
{
    m_level->setValue(percent);
}

void JMIWindow::showMoving(bool moving)
{
    // A busy bar while the focuser moves.
    m_moving->setRange(0, moving ? 0 : 1);
}
