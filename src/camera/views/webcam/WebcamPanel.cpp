#include "camera/views/webcam/WebcamPanel.h"

#include "camera/views/guide/GuidePanel.h"
#include "camera/views/webcam/CaptureView.h"
#include "camera/webcam/WebCamController.h"
#include "platform/widgets/EditingFinished.h"
#include "platform/widgets/FileChooser.h"
#include "platform/widgets/WindowStacking.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QFileDialog>
#include <QIntValidator>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>
#include <numbers>

namespace {

// Slider positions per unit range.
constexpr int kSliderSteps = 1000;

using Tag = WebCamController::ControlTag;

// The guide controls' tips, for the idle ones and the guider's alike.
constexpr char kCalibrateTip[] = "Start autoguide calibration on the brightest star in the frame.";
constexpr char kGuideTip[] = "Start autoguiding on the brightest star in the frame.";
constexpr char kDecPlusTip[] = "Select to autoguide in the Dec plus direction.";
constexpr char kDecMinusTip[] = "Select to autoguide in the Dec minus direction.";
constexpr char kRateTip[] = "Select how often to make a telescope slew correction.";
constexpr char kCalTimeTip[] = "Enter how long (seconds) to slew the telescope during calibration.";
constexpr char kGainTip[] = "Enter a gain value for telescope corrections. 1.0 is the default value.";

}  // namespace

WebcamPanel::WebcamPanel(WebCamController& controller, QWidget* parent)
    : DevicePanel(parent),
      m_controller(controller),
      m_captureView(new CaptureView(controller, this)),
      m_devicePopup(new QComboBox(this)),
      m_sizeText(new QLabel(this)),
      m_freqText(new QLabel(QStringLiteral("FPS: 0.0"), this)),
      m_adjusters{{{Tag::kExposure, "Exposure", -3.0, 3.0, 0.0},
                   {Tag::kSaturation, "Saturation", 0.0, 3.0, 1.0},
                   {Tag::kGamma, "Gamma", 0.25, 4.0, 1.0},
                   {Tag::kNoise, "Noise", 0.0, 0.1, 0.0},
                   {Tag::kHue, "Hue", -std::numbers::pi, std::numbers::pi, 0.0},
                   {Tag::kScale, "Scale", 1.0, 4.0, 1.0}}}
{
    setWindowTitle(tr("Webcam"));
    auto* top = new QHBoxLayout;
    top->addWidget(m_devicePopup, 1);
    top->addWidget(m_sizeText);
    top->addWidget(m_freqText);
    connect(m_devicePopup, &QComboBox::activated, this, [this](int index) {
        if (!m_isShowing)
            m_controller.selectDevice(m_devicePopup->itemData(index).toInt());
    });
    tip(m_devicePopup, "Select webcam to use from menu.");

    auto* controls = new QVBoxLayout;
    controls->addWidget(makeAdjustments());
    controls->addWidget(makeOverlays());
    controls->addWidget(makeRecording());
    controls->addWidget(makeGuideControls());
    controls->addStretch(1);

    auto* body = new QHBoxLayout;
    body->addWidget(m_captureView);
    body->addLayout(controls);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(body);

    setCloseObserver([this] { m_controller.disconnect(); });
    m_controller.setView(this);
}

WebcamPanel::~WebcamPanel()
{
    // The guider's panel outlives this one: it leaves before the children go.
    if (m_guidePanel)
        m_guidePanel->setParent(nullptr);
    m_controller.setView(nullptr);
}

QWidget* WebcamPanel::makeAdjustments()
{
    static constexpr std::array kTips = {"Adjusts the exposure.", "Adjusts the color saturation.",
                                         "Adjusts the gamma.",    "Reduces the image noise.",
                                         "Adjusts the color hue.", "Scales the preview image."};
    auto* box = new QGroupBox(tr("Picture"), this);
    auto* grid = new QGridLayout(box);
    for (std::size_t i = 0; i < m_adjusters.size(); ++i) {
        Adjuster& a = m_adjusters[i];
        a.slider = new QSlider(Qt::Horizontal, box);
        a.slider->setRange(0, int(std::lround((a.maximum - a.minimum) * kSliderSteps)));
        a.text = new QLabel(box);
        a.text->setMinimumWidth(a.text->fontMetrics().horizontalAdvance(QStringLiteral("-0.000")));
        grid->addWidget(new QLabel(tr(a.label), box), int(i), 0);
        grid->addWidget(a.slider, int(i), 1);
        grid->addWidget(a.text, int(i), 2);
        showAdjuster(a, a.start);
        connect(a.slider, &QSlider::valueChanged, this, [this, &a](int position) { adjusterMoved(a, position); });
        tip(a.slider, kTips[i]);
    }
    auto* reset = new QPushButton(tr("Reset"), box);
    connect(reset, &QPushButton::clicked, this, [this] { m_controller.evControl(Tag::kReset, 0); });
    tip(reset, "Reset all movie controls to default values.");
    grid->addWidget(reset, int(m_adjusters.size()), 1);
    return box;
}

QWidget* WebcamPanel::makeOverlays()
{
    auto* box = new QGroupBox(tr("Overlays and frames"), this);
    auto* grid = new QGridLayout(box);
    const auto overlay = [this, box](const QString& title, int tag, const char* text) {
        auto* check = new QCheckBox(title, box);
        connect(check, &QCheckBox::toggled, this, [this, tag](bool on) { m_controller.gridControl(tag, on); });
        tip(check, text);
        return check;
    };
    grid->addWidget(overlay(tr("Center mark"), WebCamController::kMark, "Select to display a center mark."), 0, 0);
    grid->addWidget(overlay(tr("Grid"), WebCamController::kGrid, "Select to display a grid."), 0, 1);
    grid->addWidget(overlay(tr("Time stamp"), WebCamController::kTime, "Select to time stamp (UTC) each frame."), 0, 2);

    m_takeDarkButton = new QPushButton(tr("Take Dark"), box);
    connect(m_takeDarkButton, &QPushButton::clicked, this, [this] { m_controller.evControl(Tag::kTakeDark, 0); });
    tip(m_takeDarkButton, "Takes a dark frame average.");
    m_darkCheckbox = new QCheckBox(tr("Subtract dark"), box);
    connect(m_darkCheckbox, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_isShowing)
            m_controller.evControl(Tag::kDarkCheck, on ? 1 : 0);
    });
    tip(m_darkCheckbox, "Select to subtract dark frame.");
    m_addCheckbox = new QCheckBox(tr("Stack"), box);
    connect(m_addCheckbox, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_isShowing)
            m_controller.evControl(Tag::kStackCheck, on ? 1 : 0);
    });
    tip(m_addCheckbox, "Select to sum stack frames.");
    auto* stackCount = new QComboBox(box);
    for (int n = 2; n <= 5; ++n)
        stackCount->addItem(QString::number(n), n);
    stackCount->setCurrentIndex(1);
    connect(stackCount, &QComboBox::activated, this, [this, stackCount](int index) {
        m_controller.evControl(Tag::kStackCount, stackCount->itemData(index).toInt());
    });
    tip(stackCount, "Select the number of frames to dark subtract or stack.");
    grid->addWidget(m_takeDarkButton, 1, 0);
    grid->addWidget(m_darkCheckbox, 1, 1);
    grid->addWidget(m_addCheckbox, 2, 0);
    grid->addWidget(stackCount, 2, 1);
    return box;
}

QWidget* WebcamPanel::makeGuideControls()
{
    // The guider drives these controls; until one is attached they stay off.
    auto* box = new QGroupBox(tr("Autoguide"), this);
    box->setEnabled(false);
    auto* grid = new QGridLayout(box);
    const auto button = [this, box](const QString& title, const char* text) {
        auto* b = new QPushButton(title, box);
        tip(b, text);
        return b;
    };
    grid->addWidget(button(tr("Calibrate"), kCalibrateTip), 0, 0);
    grid->addWidget(button(tr("Guide"), kGuideTip), 0, 1);
    auto* decPlus = new QCheckBox(tr("Dec +"), box);
    tip(decPlus, kDecPlusTip);
    auto* decMinus = new QCheckBox(tr("Dec -"), box);
    tip(decMinus, kDecMinusTip);
    grid->addWidget(decPlus, 1, 0);
    grid->addWidget(decMinus, 1, 1);
    auto* rate = new QComboBox(box);
    tip(rate, kRateTip);
    auto* calSec = new QLineEdit(box);
    tip(calSec, kCalTimeTip);
    auto* gain = new QLineEdit(QStringLiteral("1.0"), box);
    tip(gain, kGainTip);
    auto* form = new QFormLayout;
    form->addRow(tr("Rate"), rate);
    form->addRow(tr("Calibrate (s)"), calSec);
    form->addRow(tr("Gain"), gain);
    grid->addLayout(form, 2, 0, 1, 2);
    m_idleGuideControls = box;
    return box;
}

GuidePanel* WebcamPanel::guidePanel() const
{
    return m_guidePanel;
}

void WebcamPanel::embedGuidePanel()
{
    GuidePanel& guide = std::exchange(m_makeGuidePanel, nullptr)();
    QWidget* idle = std::exchange(m_idleGuideControls, nullptr);
    std::erase_if(m_tips, [idle](const auto& entry) { return idle->isAncestorOf(entry.first); });
    auto* box = new QGroupBox(tr("Autoguide"), this);
    (new QVBoxLayout(box))->addWidget(&guide);
    // The layout that holds it, wherever the panel's content was put.
    delete idle->parentWidget()->layout()->replaceWidget(idle, box);
    delete idle;
    guide.show();
    m_guidePanel = &guide;
    const std::pair<QWidget*, const char*> tips[] = {
        {guide.calibrateButton(), kCalibrateTip}, {guide.guideButton(), kGuideTip},
        {guide.decPlusButton(), kDecPlusTip},     {guide.decMinusButton(), kDecMinusTip},
        {guide.ratePopup(), kRateTip},            {guide.calTimeEdit(), kCalTimeTip},
        {guide.gainEdit(), kGainTip}};
    for (const auto& [widget, text] : tips) {
        tip(widget, text);
        if (m_tipsShown)
            widget->setToolTip(QString::fromLatin1(text));
    }
}

QWidget* WebcamPanel::makeRecording()
{
    auto* box = new QGroupBox(tr("Movie"), this);
    auto* grid = new QGridLayout(box);
    m_recordButton = new QPushButton(tr("Record"), box);
    connect(m_recordButton, &QPushButton::clicked, this, [this] { m_controller.startRecording(maxFrames()); });
    tip(m_recordButton, "Start recording a movie.");
    m_stopButton = new QPushButton(tr("Stop"), box);
    m_stopButton->setEnabled(false);
    connect(m_stopButton, &QPushButton::clicked, this, [this] { m_controller.stopRecording(); });
    tip(m_stopButton, "Stops recording a movie.");
    m_movieNameButton = new QPushButton(QString::fromLatin1(WebcamRecorder::kDefaultName), box);
    connect(m_movieNameButton, &QPushButton::clicked, this, &WebcamPanel::setMovieName);
    tip(m_movieNameButton, "Enter the movie name and location.");

    // Item data are the tags the recorder takes.
    m_codecPopup = new QComboBox(box);
    const std::array<std::pair<const char*, int>, 9> codecs{{{"Photo - JPEG", 1}, {"None (raw)", 2}, {"TIFF", 3},
                                                             {"Sorenson Video", 4}, {"Motion JPEG 2000", 5},
                                                             {"Component Video", 6}, {"H.263", 7},
                                                             {"Animation (road pizza)", 8}, {"Motion JPEG A", 9}}};
    for (const auto& [title, tag] : codecs)
        m_codecPopup->addItem(tr(title), tag);
    connect(m_codecPopup, &QComboBox::activated, this, [this](int index) {
        m_controller.evControl(WebCamController::kCodec, m_codecPopup->itemData(index).toInt());
    });
    tip(m_codecPopup, "Select the recorded movie codec.");
    m_qualityPopup = new QComboBox(box);
    const std::array<std::pair<const char*, int>, 5> qualities{
        {{"Lossless", 1}, {"Maximum", 2}, {"High", 3}, {"Normal", 4}, {"Low", 5}}};
    for (const auto& [title, tag] : qualities)
        m_qualityPopup->addItem(tr(title), tag);
    connect(m_qualityPopup, &QComboBox::activated, this, [this](int index) {
        m_controller.evControl(WebCamController::kQuality, m_qualityPopup->itemData(index).toInt());
    });
    tip(m_qualityPopup, "Select the recorded movie compression quality.");

    m_frameMaxText = new QLineEdit(QStringLiteral("0"), box);
    m_frameMaxText->setValidator(new QIntValidator(0, 1000000000, m_frameMaxText));
    EditingFinished::connect(m_frameMaxText, this,
            [this] { m_controller.recorder().setMaxFrames(maxFrames()); });
    tip(m_frameMaxText, "Enter the number of frames to record. Enter 0 to manually stop recording.");
    m_frameCountText = new QLabel(QStringLiteral("0"), box);
    m_progressBar = new QProgressBar(box);
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);

    grid->addWidget(m_recordButton, 0, 0);
    grid->addWidget(m_stopButton, 0, 1);
    grid->addWidget(m_movieNameButton, 0, 2);
    grid->addWidget(m_codecPopup, 1, 0, 1, 2);
    grid->addWidget(m_qualityPopup, 1, 2);
    grid->addWidget(new QLabel(tr("Frames"), box), 2, 0);
    grid->addWidget(m_frameMaxText, 2, 1);
    grid->addWidget(m_frameCountText, 2, 2);
    grid->addWidget(m_progressBar, 3, 0, 1, 3);
    return box;
}

quint32 WebcamPanel::maxFrames() const
{
    return quint32(std::max(0, m_frameMaxText->text().toInt()));
}

void WebcamPanel::setMovieName()
{
    WebcamRecorder& recorder = m_controller.recorder();
    recorder.beginMovieName();
    QFileDialog dialog(this, tr("Movie File Name"), recorder.movieDirectory());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setLabelText(QFileDialog::FileName, tr("Enter the movie file name without an extension."));
    dialog.selectFile(QString::fromLatin1(WebcamRecorder::kDefaultName));
    std::optional<QString> chosen;
    if (FileChooser::exec(dialog))
        chosen = dialog.selectedFiles().constFirst();
    recorder.endMovieName(chosen);
}

void WebcamPanel::setRecordingControls(bool recording)
{
    m_isRecordingShown = recording;
    m_recordButton->setEnabled(!recording && m_hasCamera);
    m_stopButton->setEnabled(recording);
    m_codecPopup->setEnabled(!recording);
    m_qualityPopup->setEnabled(!recording);
    slider(WebCamController::kScale)->setEnabled(!recording);
}

void WebcamPanel::setCameraControls(bool hasCamera)
{
    m_hasCamera = hasCamera;
    m_recordButton->setEnabled(hasCamera && !m_isRecordingShown);
    m_takeDarkButton->setEnabled(hasCamera);
}

void WebcamPanel::setFrameCount(quint32 count)
{
    m_frameCountText->setText(QString::number(count));
}

void WebcamPanel::setProgress(bool indeterminate, double percent)
{
    // A range of 0 to 0 is Qt's busy bar.
    m_progressBar->setRange(0, indeterminate ? 0 : 100);
    m_progressBar->setValue(indeterminate ? 0 : int(std::lround(percent)));
}

void WebcamPanel::setMovieNameTitle(const QString& title)
{
    m_movieNameButton->setText(title);
}

WebcamPanel::Adjuster* WebcamPanel::adjuster(int tag)
{
    for (Adjuster& a : m_adjusters)
        if (a.tag == tag)
            return &a;
    return nullptr;
}

const WebcamPanel::Adjuster* WebcamPanel::adjuster(int tag) const
{
    for (const Adjuster& a : m_adjusters)
        if (a.tag == tag)
            return &a;
    return nullptr;
}

QSlider* WebcamPanel::slider(int tag) const
{
    const Adjuster* a = adjuster(tag);
    return a ? a->slider : nullptr;
}

QLabel* WebcamPanel::sliderText(int tag) const
{
    const Adjuster* a = adjuster(tag);
    return a ? a->text : nullptr;
}

void WebcamPanel::adjusterMoved(Adjuster& a, int position)
{
    const double value = a.minimum + double(position) / kSliderSteps;
    a.text->setText(QString::number(value, 'f', 2));
    if (!m_isShowing)
        m_controller.evControl(a.tag, value);
}

void WebcamPanel::showAdjuster(Adjuster& a, double value)
{
    const bool showing = std::exchange(m_isShowing, true);
    a.slider->setValue(int(std::lround((value - a.minimum) * kSliderSteps)));
    a.text->setText(QString::number(value, 'f', 2));
    m_isShowing = showing;
}

void WebcamPanel::tip(QWidget* widget, const char* text)
{
    m_tips.emplace_back(widget, QString::fromLatin1(text));
}

void WebcamPanel::setToolTips()
{
    m_tipsShown = true;
    for (const auto& [widget, text] : m_tips)
        widget->setToolTip(text);
}

void WebcamPanel::clearToolTips()
{
    m_tipsShown = false;
    for (const auto& entry : m_tips)
        entry.first->setToolTip(QString());
}

void WebcamPanel::show()
{
    if (m_makeGuidePanel)
        embedGuidePanel();
    WindowStacking::bringToFront(*this);
}

void WebcamPanel::setDeviceItems(const QList<WebcamDeviceList::Item>& items)
{
    const bool showing = std::exchange(m_isShowing, true);
    m_devicePopup->clear();
    for (const WebcamDeviceList::Item& item : items)
        m_devicePopup->addItem(item.name, item.tag);
    m_isShowing = showing;
}

void WebcamPanel::selectDeviceTag(int tag)
{
    const bool showing = std::exchange(m_isShowing, true);
    const int index = m_devicePopup->findData(tag);
    if (index >= 0)
        m_devicePopup->setCurrentIndex(index);
    m_isShowing = showing;
}

void WebcamPanel::setSizeText(const QString& text)
{
    m_sizeText->setText(text);
}

void WebcamPanel::setFrequencyText(const QString& text)
{
    m_freqText->setText(text);
}

void WebcamPanel::setDarkCheckbox(bool on, bool enabled)
{
    const bool showing = std::exchange(m_isShowing, true);
    m_darkCheckbox->setChecked(on);
    m_darkCheckbox->setEnabled(enabled);
    m_isShowing = showing;
}

void WebcamPanel::setAddCheckbox(bool on)
{
    const bool showing = std::exchange(m_isShowing, true);
    m_addCheckbox->setChecked(on);
    m_isShowing = showing;
}

void WebcamPanel::showAdjustments(const ColorAdjust::Values& values, float scale)
{
    const std::array<std::pair<int, double>, 6> shown = {
        std::pair{int(Tag::kExposure), double(values.ev)}, {Tag::kSaturation, values.saturation},
        {Tag::kGamma, values.gamma}, {Tag::kNoise, values.noise}, {Tag::kHue, values.hue},
        {Tag::kScale, scale}};
    for (const auto& [tag, value] : shown)
        showAdjuster(*adjuster(tag), value);
}

void WebcamPanel::showFrame(const QImage& frame)
{
    m_captureView->setFrame(frame);
}
