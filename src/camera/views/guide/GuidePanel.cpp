#include "camera/views/guide/GuidePanel.h"

#include "camera/guide/WebcamGuide.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// The correction intervals offered, as the rate menu's tags (seconds; 0 is 0.2 s).
constexpr int kRates[] = {0, 1, 2, 3, 5, 10};

bool shiftHeld()
{
    return QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier);
}

}  // namespace

GuidePanel::GuidePanel(WebcamGuide& guide, QWidget* parent)
    : QWidget(parent),
      m_guide(guide),
      m_calButton(new QPushButton("Calibrate", this)),
      m_guideButton(new QPushButton("Start Autoguiding", this)),
      m_calTimeEdit(new QSpinBox(this)),
      m_minMoveEdit(new QSpinBox(this)),
      m_ratePopup(new QComboBox(this)),
      m_gainEdit(new QDoubleSpinBox(this)),
      m_decPlusButton(new QCheckBox("Dec+", this)),
      m_decMinusButton(new QCheckBox("Dec-", this)),
      m_statusText(new QLabel(" ", this))
{
    // A panel made late shows the guider as it is.
    m_calButton->setEnabled(guide.isCalibrateEnabled());
    m_guideButton->setEnabled(guide.isCalibrated());
    if (guide.isGuiding())
        m_guideButton->setText("Stop autoguiding");
    if (!guide.guideStatus().isEmpty())
        m_statusText->setText(guide.guideStatus());
    m_calTimeEdit->setRange(1, 120);
    m_calTimeEdit->setValue(guide.calTime());
    m_calTimeEdit->setSuffix(" s");
    m_minMoveEdit->setRange(1, 100);
    m_minMoveEdit->setValue(6);
    m_minMoveEdit->setSuffix(" px");
    for (int rate : kRates)
        m_ratePopup->addItem(rate == 0 ? "0.2 s" : QString("%1 s").arg(rate), rate);
    m_ratePopup->setCurrentIndex(m_ratePopup->findData(int(guide.guideRate())));
    m_gainEdit->setRange(0.0, 2.0);
    m_gainEdit->setSingleStep(0.1);
    m_gainEdit->setValue(1.0);
    m_decPlusButton->setChecked(true);
    m_decMinusButton->setChecked(true);
    m_statusText->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_calButton);
    buttons->addWidget(m_guideButton);
    auto* fields = new QFormLayout;
    fields->addRow("Calibration", m_calTimeEdit);
    fields->addRow("Backlash move", m_minMoveEdit);
    fields->addRow("Correct every", m_ratePopup);
    fields->addRow("Gain", m_gainEdit);
    auto* dec = new QHBoxLayout;
    dec->addWidget(m_decPlusButton);
    dec->addWidget(m_decMinusButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addLayout(fields);
    layout->addLayout(dec);
    layout->addWidget(m_statusText);

    connect(m_calButton, &QPushButton::clicked, this, [this] { m_guide.guideAction(1, shiftHeld()); });
    connect(m_guideButton, &QPushButton::clicked, this, [this] { m_guide.guideAction(2, shiftHeld()); });
    connect(m_calTimeEdit, &QSpinBox::valueChanged, this, [this](int value) { m_guide.calTimeAction(1, value); });
    connect(m_minMoveEdit, &QSpinBox::valueChanged, this, [this](int value) { m_guide.calTimeAction(2, value); });
    connect(m_ratePopup, &QComboBox::activated, this,
            [this](int index) { m_guide.guideRateAction(m_ratePopup->itemData(index).toInt()); });
    connect(m_gainEdit, &QDoubleSpinBox::valueChanged, this,
            [this](double value) { m_guide.guideGainAction(float(value)); });
    connect(m_decPlusButton, &QCheckBox::toggled, this, [this](bool on) { m_guide.guideDecAction(1, on); });
    connect(m_decMinusButton, &QCheckBox::toggled, this, [this](bool on) { m_guide.guideDecAction(2, on); });
    m_guide.setView(this);
}

GuidePanel::~GuidePanel()
{
    m_guide.setView(nullptr);
}

void GuidePanel::setGuideStatus(const QString& text)
{
    m_statusText->setText(text);
}

void GuidePanel::setCalibrateTitle(const QString& title)
{
    m_calButton->setText(title);
}

void GuidePanel::setGuideTitle(const QString& title)
{
    m_guideButton->setText(title);
}

void GuidePanel::setGuideEnabled(bool enabled)
{
    m_guideButton->setEnabled(enabled);
}

void GuidePanel::setCalibrateEnabled(bool enabled)
{
    m_calButton->setEnabled(enabled);
}

void GuidePanel::setGuideControlsEnabled(bool enabled)
{
    m_calButton->setEnabled(enabled);
    m_calTimeEdit->setEnabled(enabled);
    m_decPlusButton->setEnabled(enabled);
    m_decMinusButton->setEnabled(enabled);
}
