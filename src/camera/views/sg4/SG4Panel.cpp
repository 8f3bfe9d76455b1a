#include "camera/views/sg4/SG4Panel.h"

#include "camera/sg4/SG4Control.h"
#include "camera/views/sg4/sg4ImageView.h"
#include "platform/widgets/EditingFinished.h"
#include "platform/widgets/WindowStacking.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// The display exposure slider moves in tenths of a stop.
constexpr double kEvStep = 10.0;
constexpr int kMostEv = 30;
constexpr int kMostMinutes = 10;
constexpr int kMostMove = 0xFFFF;
constexpr int kMostGainPercent = 999;

QSpinBox* spin(int most, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setRange(0, most);
    return box;
}

void selectData(QComboBox& popup, const QVariant& data)
{
    const QSignalBlocker quiet(popup);
    const int index = popup.findData(data);
    if (index >= 0)
        popup.setCurrentIndex(index);
}

}  // namespace

SG4Panel::SG4Panel(SG4Control& control, const DebugWriter& debug, QWidget* parent)
    : DevicePanel(parent),
      m_control(control),
      m_imageView(new sg4ImageView(control, debug, this)),
      m_minutes(spin(kMostMinutes, this)),
      m_seconds(spin(59, this)),
      m_milliseconds(new QDoubleSpinBox(this)),
      m_expose(new QPushButton(tr("Expose"), this)),
      m_focus(new QCheckBox(tr("Focus"), this)),
      m_progress(new QProgressBar(this)),
      m_displayExposure(new QSlider(Qt::Horizontal, this)),
      m_speed(new QComboBox(this)),
      m_type(new QComboBox(this)),
      m_readout(new QComboBox(this)),
      m_minMove(spin(kMostMove, this)),
      m_maxMove(spin(kMostMove, this)),
      m_xGain(spin(kMostGainPercent, this)),
      m_yGain(spin(kMostGainPercent, this)),
      m_calibrate(new QPushButton(tr("Calibrate"), this)),
      m_guide(new QPushButton(tr("Guide"), this)),
      m_up(new QPushButton(tr("Up"), this)),
      m_down(new QPushButton(tr("Down"), this)),
      m_left(new QPushButton(tr("Left"), this)),
      m_right(new QPushButton(tr("Right"), this)),
      m_status(new QLabel(" ", this))
{
    setWindowTitle("SG-4");
    m_milliseconds->setRange(0.0, 999.0);
    m_milliseconds->setDecimals(0);
    m_seconds->setValue(1);
    m_progress->setRange(0, 1);
    m_progress->setTextVisible(false);
    m_displayExposure->setRange(-kMostEv, kMostEv);
    for (std::size_t i = 0; i < SG4Protocol::kSpeeds.size(); ++i)
        m_speed->addItem(QString::number(SG4Protocol::kSpeeds[i]), SG4Control::kItemFirstSpeed + int(i));
    m_type->addItem(tr("Light"), SG4Control::kItemLight);
    m_type->addItem(tr("Dark"), SG4Control::kItemDark);
    m_type->addItem(tr("Auto"), SG4Control::kItemAuto);
    const QStringList modes{"1X1", "Crop", "2X2", tr("Subframe")};
    for (int i = 0; i < modes.size(); ++i)
        m_readout->addItem(modes[i], SG4Control::kItemFirstMode + i);

    auto* exposure = new QHBoxLayout;
    exposure->addWidget(m_minutes);
    exposure->addWidget(new QLabel(tr("min"), this));
    exposure->addWidget(m_seconds);
    exposure->addWidget(new QLabel(tr("sec"), this));
    exposure->addWidget(m_milliseconds);
    exposure->addWidget(new QLabel(tr("ms"), this));
    exposure->addWidget(m_expose);
    exposure->addWidget(m_focus);
    exposure->addWidget(m_progress, 1);
    auto* settings = new QFormLayout;
    settings->addRow(tr("Display exposure"), m_displayExposure);
    settings->addRow(tr("Speed"), m_speed);
    settings->addRow(tr("Image"), m_type);
    settings->addRow(tr("Read-out"), m_readout);
    settings->addRow(tr("Min move"), m_minMove);
    settings->addRow(tr("Max move"), m_maxMove);
    settings->addRow(tr("X gain %"), m_xGain);
    settings->addRow(tr("Y gain %"), m_yGain);
    auto* directions = new QGridLayout;
    directions->addWidget(m_up, 0, 1);
    directions->addWidget(m_left, 1, 0);
    directions->addWidget(m_right, 1, 2);
    directions->addWidget(m_down, 2, 1);
    auto* guider = new QHBoxLayout;
    guider->addLayout(directions);
    guider->addWidget(m_calibrate);
    guider->addWidget(m_guide);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_imageView);
    layout->addLayout(exposure);
    layout->addLayout(settings);
    layout->addLayout(guider);
    layout->addWidget(m_status);

    connect(m_expose, &QPushButton::clicked, this, [this] { m_control.sg4ImageAction(SG4Control::kTagExpose); });
    connect(m_focus, &QCheckBox::toggled, this, [this] { m_control.sg4ImageAction(SG4Control::kTagFocus); });
    connect(m_displayExposure, &QSlider::valueChanged, this,
            [this](int value) { m_control.sg4ImageAction(SG4Control::kTagDisplayExposure, value / kEvStep); });
    connect(m_type, &QComboBox::activated, this,
            [this] { m_control.sg4ImageAction(SG4Control::kTagImageType, m_type->currentData().toInt()); });
    connect(m_speed, &QComboBox::activated, this,
            [this] { m_control.sg4SetupAction(SG4Control::kTagSpeed, m_speed->currentData().toInt()); });
    connect(m_readout, &QComboBox::activated, this,
            [this] { m_control.sg4SetupAction(SG4Control::kTagReadout, m_readout->currentData().toInt()); });
    const auto field = [this](QSpinBox* box, int tag) {
        EditingFinished::connect(box, this, [this, box, tag] { m_control.sg4SetupAction(tag, box->value()); });
    };
    field(m_minMove, SG4Control::kTagMinMove);
    field(m_maxMove, SG4Control::kTagMaxMove);
    field(m_xGain, SG4Control::kTagXGain);
    field(m_yGain, SG4Control::kTagYGain);
    // The relays stay closed while a direction button is held.
    for (const int tag : {SG4Control::kTagUp, SG4Control::kTagDown, SG4Control::kTagLeft, SG4Control::kTagRight}) {
        QPushButton* button = directionButton(tag);
        connect(button, &QPushButton::pressed, this, [this, tag] { m_control.sg4ScopeAction(tag, true); });
        connect(button, &QPushButton::released, this, [this, tag] { m_control.sg4ScopeAction(tag, false); });
    }
    connect(m_calibrate, &QPushButton::clicked, this, [this] { m_control.sg4ScopeAction(SG4Control::kTagCalibrate); });
    connect(m_guide, &QPushButton::clicked, this, [this] { m_control.sg4ScopeAction(SG4Control::kTagGuide); });
    setCloseObserver([this] { m_control.panelClosed(); });
}

SG4Panel::~SG4Panel() = default;

QPushButton* SG4Panel::directionButton(int tag) const
{
    switch (tag) {
    case SG4Control::kTagUp: return m_up;
    case SG4Control::kTagDown: return m_down;
    case SG4Control::kTagLeft: return m_left;
    case SG4Control::kTagRight: return m_right;
    default: return nullptr;
    }
}

SG4DevicePanel::ExposureFields SG4Panel::exposureFields() const
{
    return {m_minutes->value(), m_seconds->value(), m_milliseconds->value()};
}

bool SG4Panel::isFocusChecked() const { return m_focus->isChecked(); }

void SG4Panel::setFocusChecked(bool on)
{
    const QSignalBlocker quiet(m_focus);
    m_focus->setChecked(on);
}

void SG4Panel::setExposeTitle(const QString& title) { m_expose->setText(title); }
void SG4Panel::setStatus(const QString& text) { m_status->setText(text); }
void SG4Panel::setCalibrateTitle(const QString& title) { m_calibrate->setText(title); }
void SG4Panel::setGuideTitle(const QString& title) { m_guide->setText(title); }

void SG4Panel::setProgressRunning(bool running)
{
    // An empty range spins.
    m_progress->setRange(0, running ? 0 : 1);
}

void SG4Panel::selectSpeed(long baud)
{
    const QSignalBlocker quiet(m_speed);
    const int index = m_speed->findText(QString::number(baud));
    if (index >= 0)
        m_speed->setCurrentIndex(index);
}

void SG4Panel::selectImageType(int itemTag) { selectData(*m_type, itemTag); }
void SG4Panel::selectReadoutMode(int itemTag) { selectData(*m_readout, itemTag); }

void SG4Panel::redraw()
{
    update();
    m_imageView->update();
}

void SG4Panel::showGuiderValues(const GuiderValues& values)
{
    const auto showIn = [](QSpinBox* box, const std::optional<int>& value) {
        if (value) {
            const QSignalBlocker quiet(box);
            box->setValue(*value);
        }
    };
    showIn(m_maxMove, values.maxMove);
    showIn(m_minMove, values.minMove);
    showIn(m_xGain, values.xGainPercent);
    showIn(m_yGain, values.yGainPercent);
}

void SG4Panel::show() { WindowStacking::bringToFront(*this); }
