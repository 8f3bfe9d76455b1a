#include "camera/views/canon/CanonPanel.h"

#include "camera/canon/CanonControl.h"
#include "camera/views/canon/CanonImageView.h"
#include "camera/views/canon/CanonToolTips.h"
#include "platform/widgets/EditingFinished.h"
#include "platform/widgets/ScreenPlacement.h"
#include "platform/widgets/WindowStacking.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace {

// The arrow keys move the live-view zoom window by these sensor pixels.
constexpr int kJogX = 128;
constexpr int kJogY = 192;
// The sliders' steps: tenths of a stop, hundredths of saturation, hundreds of kelvin.
constexpr double kEvStep = 10.0;
constexpr double kSaturationStep = 100.0;

const QStringList kCounts{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "15", "20", "30", "50", "Continuous", "0"};
const QStringList kDelays{"0 sec", "5 sec", "10 sec", "15 sec", "20 sec", "30 sec", "45 sec",
                          "1 min", "5 min", "10 min", "20 min", "30 min", "45 min", "1 Hr"};

QSlider* slider(int minimum, int maximum, int value, QWidget* parent)
{
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setRange(minimum, maximum);
    s->setValue(value);
    return s;
}

}  // namespace

CanonPanel::CanonPanel(CanonControl& control, const DebugWriter& debug, QWidget* parent)
    : QDialog(parent, Qt::Tool),
      m_control(control),
      m_imageView(new CanonImageView(control, debug, this)),
      m_expose(new QPushButton(this)),
      m_saveToCamera(new QCheckBox(tr("Camera"), this)),
      m_saveToMac(new QCheckBox(tr("Computer"), this)),
      m_fileFolder(new QPushButton(tr("Image Name..."), this)),
      m_record(new QPushButton(this)),
      m_movieFolder(new QPushButton(tr("Movie Name..."), this)),
      m_movieFrames(new QLineEdit(this)),
      m_movieQuality(new QButtonGroup(this)),
      m_movieFPS(new QLabel(this)),
      m_iso(new QComboBox(this)),
      m_exposure(new QComboBox(this)),
      m_numExposures(new QComboBox(this)),
      m_delay(new QComboBox(this)),
      m_liveView(new QCheckBox(tr("Live View"), this)),
      m_grid(new QCheckBox(tr("Grid"), this)),
      m_focusExposure(slider(-30, 30, 0, this)),
      m_saturation(slider(0, 200, 100, this)),
      m_whiteBalance(slider(28, 100, 52, this)),
      m_degKelvin(new QLabel(this)),
      m_expTaken(new QLabel(this)),
      m_progress(new QProgressBar(this)),
      m_battery(new QProgressBar(this))
{
    setWindowTitle(tr("Canon"));
    m_exposure->setEditable(true);
    m_exposure->setInsertPolicy(QComboBox::NoInsert);
    m_exposure->addItems(m_control.panel().expTitles);
    m_numExposures->addItems(kCounts);
    m_delay->addItems(kDelays);
    m_progress->setRange(0, 100);
    m_battery->setRange(0, 10);
    m_battery->setTextVisible(false);
    m_movieFrames->setValidator(new QIntValidator(0, 999999, m_movieFrames));
    m_movieFrames->setText(m_control.panel().movieFramesText);
    m_movieQuality->addButton(new QRadioButton(tr("Normal"), this), 0);
    m_movieQuality->addButton(new QRadioButton(tr("Maximum"), this), 1);
    m_movieQuality->button(m_control.panel().movieQualityRow)->setChecked(true);

    auto* settings = new QFormLayout;
    settings->addRow(tr("ISO"), m_iso);
    settings->addRow(tr("Exposure"), m_exposure);
    settings->addRow(tr("Exposures"), m_numExposures);
    settings->addRow(tr("Delay"), m_delay);
    auto* saveTo = new QHBoxLayout;
    saveTo->addWidget(m_saveToCamera);
    saveTo->addWidget(m_saveToMac);
    saveTo->addWidget(m_fileFolder);
    settings->addRow(tr("Save to"), saveTo);
    auto* checks = new QHBoxLayout;
    checks->addWidget(m_liveView);
    checks->addWidget(m_grid);
    settings->addRow(checks);
    settings->addRow(tr("Live View exposure"), m_focusExposure);
    settings->addRow(tr("Saturation"), m_saturation);
    auto* whiteBalance = new QHBoxLayout;
    whiteBalance->addWidget(m_whiteBalance);
    whiteBalance->addWidget(m_degKelvin);
    settings->addRow(tr("White balance"), whiteBalance);
    settings->addRow(tr("Battery"), m_battery);
    auto* movie = new QHBoxLayout;
    movie->addWidget(m_record);
    movie->addWidget(m_movieFolder);
    movie->addWidget(new QLabel(tr("Frames"), this));
    movie->addWidget(m_movieFrames);
    for (QAbstractButton* quality : m_movieQuality->buttons())
        movie->addWidget(quality);
    movie->addWidget(m_movieFPS);
    settings->addRow(tr("Movie"), movie);
    auto* expose = new QHBoxLayout;
    expose->addWidget(m_expose);
    expose->addWidget(m_expTaken);
    expose->addWidget(m_progress, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_imageView, 1);
    layout->addLayout(settings);
    layout->addLayout(expose);

    const auto on = [this](auto* sender, auto signal, int tag) { connect(sender, signal, this, [this, tag] { send(tag); }); };
    on(m_expose, &QPushButton::clicked, CanonControl::kTagExpose);
    on(m_saveToCamera, &QCheckBox::toggled, CanonControl::kTagSaveToCamera);
    on(m_saveToMac, &QCheckBox::toggled, CanonControl::kTagSaveToMac);
    on(m_fileFolder, &QPushButton::clicked, CanonControl::kTagFileFolder);
    on(m_movieFolder, &QPushButton::clicked, CanonControl::kTagMovieFolder);
    on(m_record, &QPushButton::clicked, CanonControl::kTagRecord);
    EditingFinished::connect(m_movieFrames, this, [this] { send(CanonControl::kTagMovieFrames); });
    on(m_movieQuality, &QButtonGroup::idClicked, CanonControl::kTagMovieQuality);
    on(m_iso, &QComboBox::activated, CanonControl::kTagISO);
    on(m_numExposures, &QComboBox::activated, CanonControl::kTagNumExp);
    on(m_delay, &QComboBox::activated, CanonControl::kTagDelay);
    on(m_liveView, &QCheckBox::toggled, CanonControl::kTagFocusCheck);
    on(m_grid, &QCheckBox::toggled, CanonControl::kTagGrid);
    on(m_focusExposure, &QSlider::valueChanged, CanonControl::kTagFocusExposure);
    on(m_saturation, &QSlider::valueChanged, CanonControl::kTagSaturation);
    on(m_whiteBalance, &QSlider::sliderReleased, CanonControl::kTagWhiteBalance);
    connect(m_exposure, &QComboBox::activated, this, [this](int item) {
        m_control.panel().expSelected = item;
        send(CanonControl::kTagExpCombo);
    });
    // A typed number of seconds.
    connect(m_exposure->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        if (m_exposure->findText(m_exposure->currentText()) >= 0)
            return;
        m_control.panel().expSelected = -1;
        send(CanonControl::kTagExpCombo);
    });
    connect(&m_control, &CanonControl::panelChanged, this, &CanonPanel::showState);
    connect(&m_control, &CanonControl::showPanelRequested, this, &CanonPanel::show);
    connect(&m_control, &CanonControl::hidePanelRequested, this, &CanonPanel::hide);
    setToolTips();
    showState();
}

CanonPanel::~CanonPanel() = default;

void CanonPanel::show()
{
    WindowStacking::bringToFront(*this);
    ScreenPlacement::toLowerLeft(*this);
}

void CanonPanel::send(int tag)
{
    CanonPanelState& state = m_control.panel();
    state.saveToCameraChecked = m_saveToCamera->isChecked();
    state.saveToMacChecked = m_saveToMac->isChecked();
    state.isoSelected = m_iso->currentIndex();
    state.expValue = m_exposure->currentText();
    state.numExpSelected = m_numExposures->currentIndex();
    state.delaySelected = m_delay->currentIndex();
    state.focusChecked = m_liveView->isChecked();
    state.gridChecked = m_grid->isChecked();
    state.focusExposure = m_focusExposure->value() / kEvStep;
    state.saturation = m_saturation->value() / kSaturationStep;
    state.whiteBalance = m_whiteBalance->value();
    state.movieFramesText = m_movieFrames->text();
    state.movieQualityRow = m_movieQuality->checkedId();
    m_control.canonAction(tag);
}

void CanonPanel::showState()
{
    const CanonPanelState& state = m_control.panel();
    const QSignalBlocker blockers[] = {QSignalBlocker(m_saveToCamera), QSignalBlocker(m_saveToMac),
                                       QSignalBlocker(m_iso),          QSignalBlocker(m_exposure),
                                       QSignalBlocker(m_numExposures), QSignalBlocker(m_delay),
                                       QSignalBlocker(m_liveView)};
    setWindowTitle(state.title.isEmpty() ? tr("Canon") : state.title);
    m_expose->setText(state.expButtonTitle);
    m_expose->setEnabled(state.expButtonEnabled);
    m_saveToCamera->setChecked(state.saveToCameraChecked);
    m_saveToMac->setChecked(state.saveToMacChecked);
    m_fileFolder->setEnabled(state.fileFolderEnabled);
    m_record->setText(state.recordTitle);
    m_record->setEnabled(state.recordEnabled || m_control.isCanonMovieRecording());
    m_movieFolder->setEnabled(state.movieFolderEnabled);
    m_movieFrames->setEnabled(state.movieFramesEnabled);
    for (QAbstractButton* quality : m_movieQuality->buttons())
        quality->setEnabled(state.movieQualityEnabled);
    m_movieFPS->setText(state.movieFPSText);
    if (m_hasToolTips) {
        m_fileFolder->setToolTip(state.fileFolderToolTip);
        m_movieFolder->setToolTip(state.movieFolderToolTip);
    }
    QStringList shownIso;
    for (int i = 0; i < m_iso->count(); ++i)
        shownIso << m_iso->itemText(i);
    if (shownIso != state.isoTitles) {
        m_iso->clear();
        m_iso->addItems(state.isoTitles);
    }
    m_iso->setCurrentIndex(state.isoSelected);
    if (state.expSelected >= 0)
        m_exposure->setCurrentIndex(state.expSelected);
    else
        m_exposure->setEditText(state.expValue);
    m_exposure->setEnabled(state.expComboEnabled);
    m_numExposures->setCurrentIndex(state.numExpSelected);
    m_delay->setCurrentIndex(state.delaySelected);
    m_liveView->setEnabled(state.focusEnabled);
    m_degKelvin->setText(state.degKelvinText);
    m_expTaken->setText(state.expTakenText);
    // A recording without a frame limit shows a busy bar.
    m_progress->setRange(0, state.progressIndeterminate && state.progressAnimating ? 0 : 100);
    m_progress->setValue(static_cast<int>(state.progress));
    m_battery->setValue(state.batteryLevel);
}

void CanonPanel::setToolTips()
{
    const std::pair<QWidget*, const char*> tips[] = {
        {m_expose, CanonToolTips::kExpose},
        {m_saveToCamera, CanonToolTips::kSaveToCamera},
        {m_saveToMac, CanonToolTips::kSaveToMac},
        {m_iso, CanonToolTips::kISO},
        {m_exposure, CanonToolTips::kExposureTime},
        {m_numExposures, CanonToolTips::kNumExposures},
        {m_liveView, CanonToolTips::kLiveView},
        {m_grid, CanonToolTips::kGrid},
        {m_focusExposure, CanonToolTips::kFocusExposure},
        {m_delay, CanonToolTips::kDelay},
        {m_battery, CanonToolTips::kBattery},
        {m_whiteBalance, CanonToolTips::kWhiteBalance},
        {m_saturation, CanonToolTips::kSaturation},
        {m_record, CanonToolTips::kRecord},
        {m_movieFrames, CanonToolTips::kMovieFrames},
        {m_movieQuality->button(0), CanonToolTips::kMovieQuality},
        {m_movieQuality->button(1), CanonToolTips::kMovieQuality},
    };
    for (const auto& [widget, tip] : tips)
        widget->setToolTip(QString::fromUtf8(tip));
    m_hasToolTips = true;
    m_fileFolder->setToolTip(m_control.panel().fileFolderToolTip);
    m_movieFolder->setToolTip(m_control.panel().movieFolderToolTip);
}

void CanonPanel::clearToolTips()
{
    for (QWidget* widget : std::initializer_list<QWidget*>{
             m_expose, m_saveToCamera, m_saveToMac, m_iso, m_exposure, m_numExposures, m_liveView, m_grid,
             m_focusExposure, m_delay, m_battery, m_whiteBalance, m_saturation, m_fileFolder, m_record,
             m_movieFolder, m_movieFrames, m_movieQuality->button(0), m_movieQuality->button(1)})
        widget->setToolTip(QString());
    m_hasToolTips = false;
}

void CanonPanel::keyPressEvent(QKeyEvent* event)
{
    if (!m_control.isCanonLiveView()) {
        QDialog::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Up: m_control.jogCanonLiveViewPosition(0, -kJogY); break;
    case Qt::Key_Down: m_control.jogCanonLiveViewPosition(0, kJogY); break;
    case Qt::Key_Left: m_control.jogCanonLiveViewPosition(-kJogX, 0); break;
    case Qt::Key_Right: m_control.jogCanonLiveViewPosition(kJogX, 0); break;
    default: QDialog::keyPressEvent(event); break;
    }
}

void CanonPanel::closeEvent(QCloseEvent* event)
{
    m_control.canonDisconnect();
    QDialog::closeEvent(event);
}
