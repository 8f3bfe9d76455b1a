#include "mount/panels/DomePanel.h"

#include "model/settings/PrefControl.h"
#include "mount/dome/DomeControl.h"
#include "mount/panels/DomeFieldRange.h"
#include "mount/panels/DomeSetupFields.h"
#include "mount/panels/DomeToolTips.h"
#include "platform/AlertPanel.h"
#include "platform/widgets/EditingFinished.h"
#include "platform/widgets/ImageFile.h"
#include "platform/widgets/RefusalNote.h"
#include "platform/widgets/WindowStacking.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include <limits>

namespace {

const char kConnectTitle[] = "Connect";
const char kDisconnectTitle[] = "Disconnect";
const char kTrackTitle[] = "Track";
const char kStopTrackTitle[] = "Stop Track";
const char kCalibrateTitle[] = "Calibrate";
const char kStopCalTitle[] = "Stop Cal";
const char kConnectFirst[] = "Connect to the board first.";
const char kConnectFailed[] = "Connect to the control board failed.";
constexpr int kMotionTags[] = {DomePanel::kRotateEast, DomePanel::kRotateWest,
                               DomePanel::kShutterOpen, DomePanel::kShutterClose};
// Speed codes and what the pop-up shows for them.
constexpr std::pair<quint16, const char*> kSpeeds[] = {
    {1, "4800"}, {2, "9600"}, {3, "14400"}, {4, "19200"}, {5, "28800"}, {6, "38400"}};
// The encoder counts at least once a turn; the coast is stored in 16 bits and
// is less than a whole turn.
constexpr DomeFieldRange kTicksRange{"Ticks", 1.0, double(std::numeric_limits<qint32>::max()), "", true};
constexpr DomeFieldRange kCoastRange{"Coast", 0.0, double(std::numeric_limits<qint16>::max()), "", true};
const QString kCoastBeyondATurn = QStringLiteral("Coast must be less than Ticks.");
constexpr std::array<const char*, 3> kLightFiles = {
    "/Buttons/RedButton.png", "/Buttons/GreenButton.png", "/Buttons/clearButton.png"};

}  // namespace

DomePanel::DomePanel(DomeControl& dome, PrefControl& prefs, const QString& resources,
                     QWidget* parent)
    : QDialog(parent, Qt::Tool), m_dome(dome), m_prefs(prefs),
      m_speed(new QComboBox(this)),
      m_reset(new QPushButton(tr("Reset"), this)),
      m_calibrate(new QPushButton(kCalibrateTitle, this)),
      m_ticks(new QLineEdit(this)),
      m_coast(new QLineEdit(this)),
      m_ticksNote(new RefusalNote(this)),
      m_sync(new QPushButton(tr("Sync"), this)),
      m_home(new QPushButton(tr("Home"), this)),
      m_shutterBox(new QCheckBox(tr("Shutter"), this)),
      m_directionBox(new QCheckBox(tr("Both directions"), this)),
      m_setup(new DomeSetupFields(true, this)),
      m_domeAzimuth(new QLabel(this)),
      m_scopeAzimuth(new QLabel(this)),
      m_progress(new QProgressBar(this))
{
    setWindowTitle(tr("Dome"));
    for (std::size_t i = 0; i < kLightFiles.size(); ++i)
        m_lightImages[i] = QPixmap::fromImage(ImageFile::image(resources + kLightFiles[i]));
    m_progress->setRange(0, 0);
    m_progress->setVisible(false);
    for (const auto& [code, title] : kSpeeds)
        m_speed->addItem(title, code);

    auto* motion = new QGridLayout;
    motion->addWidget(addButton(kConnectTitle, kConnect), 0, 0);
    motion->addWidget(addButton(kTrackTitle, kTrack), 0, 1);
    motion->addWidget(addButton(tr("East"), kRotateEast), 1, 0);
    motion->addWidget(addButton(tr("West"), kRotateWest), 1, 1);
    motion->addWidget(addButton(tr("Open"), kShutterOpen), 2, 0);
    motion->addWidget(addButton(tr("Close"), kShutterClose), 2, 1);
    motion->addWidget(m_sync, 3, 0);
    motion->addWidget(m_home, 3, 1);

    auto* readouts = new QFormLayout;
    readouts->addRow(tr("Dome azimuth:"), m_domeAzimuth);
    readouts->addRow(tr("Scope azimuth:"), m_scopeAzimuth);
    readouts->addRow(tr("Speed:"), m_speed);
    readouts->addRow(m_reset);
    readouts->addRow(tr("Ticks:"), m_ticks);
    readouts->addRow(tr("Coast:"), m_coast);
    readouts->addRow(m_ticksNote);
    readouts->addRow(m_calibrate);
    readouts->addRow(m_shutterBox);
    readouts->addRow(m_directionBox);

    auto* lights = new QGridLayout;
    const char* const lightNames[kLightCount] = {"In 1", "In 2", "In 3", "In 4",
                                                 "Relay 1", "Relay 2", "Out 7", "Out 8"};
    for (int i = 0; i < kLightCount; ++i) {
        m_lights[std::size_t(i)] = new QLabel(this);
        lights->addWidget(m_lights[std::size_t(i)], 0, i);
        lights->addWidget(new QLabel(tr(lightNames[i]), this), 1, i);
    }
    for (int i = 0; i < 4; ++i) {
        m_polarity[std::size_t(i)] = new QCheckBox(tr("5V"), this);
        lights->addWidget(m_polarity[std::size_t(i)], 2, i);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(motion);
    layout->addLayout(readouts);
    layout->addLayout(lights);
    layout->addWidget(m_setup);
    layout->addWidget(m_progress);

    connect(m_speed, &QComboBox::activated, this, [this] { domeBoardAction(kSpeedMenu); });
    connect(m_reset, &QPushButton::clicked, this, [this] { domeBoardAction(kReset); });
    connect(m_calibrate, &QPushButton::clicked, this, [this] { domeCalibrateAction(1); });
    EditingFinished::connect(m_ticks, this, &DomePanel::getDomeTicks);
    EditingFinished::connect(m_coast, this, &DomePanel::getDomeTicks);
    connect(m_sync, &QPushButton::clicked, this, [this] { m_dome.domeSync(); });
    connect(m_home, &QPushButton::clicked, this, [this] { m_dome.domeFindHome(); });
    connect(m_setup, &DomeSetupFields::saveRequested, this, &DomePanel::getDomeSetup);

    setAllLights(Light::Red);
    domeUpdateButtons();
    setToolTips();
    m_dome.setView(this);
}

DomePanel::~DomePanel()
{
    m_dome.setView(nullptr);
}

QPushButton* DomePanel::addButton(const QString& title, int tag)
{
    auto* button = new QPushButton(title, this);
    m_buttons[std::size_t(tag)] = button;
    if (tag == kConnect || tag == kTrack) {
        connect(button, &QPushButton::clicked, this, [this, tag] { domeButtonAction(tag); });
        return button;
    }
    // The motion buttons act as they go down and show whether their motion runs.
    button->setCheckable(true);
    connect(button, &QPushButton::pressed, this, [this, tag] { domeButtonAction(tag); });
    connect(button, &QPushButton::clicked, this, &DomePanel::setMotionButtons);
    return button;
}

QPushButton* DomePanel::button(int tag) const
{
    return m_buttons[std::size_t(tag)];
}

void DomePanel::show()
{
    // The Connect menu may have disconnected the board while hidden.
    button(kConnect)->setText(m_dome.isDomeConnect() ? kDisconnectTitle : kConnectTitle);
    if (!m_dome.isDomeConnect())
        setAllLights(Light::Red);
    WindowStacking::bringToFront(*this);
}

void DomePanel::motionButtonsOff()
{
    for (const int tag : kMotionTags)
        button(tag)->setChecked(false);
}

bool DomePanel::refuseUnconnected()
{
    if (m_dome.isDomeConnect())
        return false;
    AlertPanel::runAlert(kConnectFirst, " ");
    return true;
}

void DomePanel::domeButtonAction(int tag)
{
    if (tag == kConnect) {
        if (m_dome.isDomeConnect()) {
            button(kConnect)->setText(kConnectTitle);
            m_dome.domeDisconnect();
            setAllLights(Light::Red);
            return;
        }
        if (!m_dome.isDomeConnecting() && !m_dome.domeConnect())
            AlertPanel::runAlert(kConnectFailed, m_dome.connectFailure());
        return;
    }
    if (!m_dome.isDomeConnect()) {
        motionButtonsOff();
        AlertPanel::runAlert(kConnectFirst, " ");
        return;
    }
    const bool nudge = QGuiApplication::keyboardModifiers() & Qt::AltModifier;
    switch (tag) {
    case kTrack:
        m_dome.domeTrack(!m_dome.isDomeTrack());
        button(kTrack)->setText(m_dome.isDomeTrack() ? kStopTrackTitle : kTrackTitle);
        break;
    case kRotateEast:
        m_rotateTag = tag;
        m_dome.domeRotateEast(nudge);
        break;
    case kRotateWest:
        m_rotateTag = tag;
        m_dome.domeRotateWest(nudge);
        break;
    case kShutterOpen:
        m_dome.domeShutterUp();
        break;
    case kShutterClose:
        m_dome.domeShutterDown();
        break;
    default:
        break;
    }
}

void DomePanel::selectSpeed(quint16 code)
{
    const int index = m_speed->findData(code);
    // Codes outside 1..6 run the board at 9600.
    m_speed->setCurrentIndex(index >= 0 ? index : m_speed->findData(2));
}

void DomePanel::domeBoardAction(int tag)
{
    if (refuseUnconnected()) {
        selectSpeed(m_dome.baudRate());
        return;
    }
    if (tag == kSpeedMenu) {
        m_baud = quint16(m_speed->currentData().toUInt());
        return;
    }
    m_dome.applyBaudRate(m_baud);
}

void DomePanel::domeBoardReset()
{
    button(kConnect)->setText(kConnectTitle);
    button(kTrack)->setText(kTrackTitle);
    setAllLights(Light::Red);
}

void DomePanel::domeCalibrateAction(int tag)
{
    if (tag != 1) {
        getDomeTicks();
        return;
    }
    if (refuseUnconnected())
        return;
    if (!m_dome.isBoardSetup()) {
        AlertPanel::runAlert("Reset the board first.", " ");
        return;
    }
    if (m_calibrate->text() == kCalibrateTitle) {
        if (m_dome.domeCalibrateCmd())
            m_calibrate->setText(kStopCalTitle);
        else
            AlertPanel::runAlert("Dome calibration could not start.", " ");
    } else {
        m_calibrate->setText(kCalibrateTitle);
        m_dome.setIsCalAbort(true);
    }
}

void DomePanel::getDomeSetup()
{
    const DomeSetupFields::Values shown = {
        m_dome.domeX(),           m_dome.domeY(),     m_dome.domeZ(),
        m_dome.domeR(),           m_dome.domer(),     m_dome.domef(),
        m_dome.domeHomeAzimuth(), m_dome.domeDelta(), m_dome.domeFrequency()};
    const DomeSetupFields::Values v = m_setup->values(shown);
    m_dome.setIsDomeShutter(m_shutterBox->isChecked());
    m_dome.setIsDomeBiDirection(m_directionBox->isChecked());
    m_dome.setDomeI5V1(m_polarity[0]->isChecked());
    m_dome.setDomeI5V2(m_polarity[1]->isChecked());
    m_dome.setDomeI5V3(m_polarity[2]->isChecked());
    m_dome.setDomeI5V4(m_polarity[3]->isChecked());
    m_dome.setDomeSetup(v.x, v.y, v.z, v.bigR, v.smallR, v.flip, v.homeAzimuth, v.delta,
                        v.frequency);
    m_dome.domeResetTrackFreq();
    m_prefs.saveDomePrefs();
    domeUpdateButtons();
}

void DomePanel::getDomeTicks()
{
    // A refusal leaves the calibration in use and shows it again.
    const DomeFieldRange::Reading ticks = kTicksRange.read(m_ticks->text());
    const DomeFieldRange::Reading coast = kCoastRange.read(m_coast->text());
    QStringList refusals;
    for (const DomeFieldRange::Reading* reading : {&ticks, &coast}) {
        if (!reading->value)
            refusals << reading->refusal;
    }
    if (ticks.value && coast.value && *coast.value >= *ticks.value)
        refusals << kCoastBeyondATurn;
    if (refusals.isEmpty()) {
        m_dome.setDomeTicks(quint32(*ticks.value), qint16(*coast.value));
        m_ticksNote->clearNote();
    } else {
        m_ticksNote->refuse(refusals.join(QLatin1Char('\n')));
    }
    setDomeCalText();
    m_prefs.saveTicksPrefs();
    domeUpdateButtons();
}

QString DomePanel::ticksRefusal() const
{
    return m_ticksNote->text();
}

bool DomePanel::isGEM() const
{
    return m_setup->isGEM();
}

void DomePanel::setIsGEM(bool gem)
{
    m_setup->setIsGEM(gem);
}

void DomePanel::domeUpdateButtons()
{
    const bool connected = m_dome.isDomeConnect();
    const bool calibrated = m_dome.domeMaxTicks() != 0;
    if (!connected) {
        // A disconnect ends every job, a calibration still queued too.
        button(kTrack)->setText(kTrackTitle);
        setCalButtonTitle();
        setCalProgress(false);
    }
    button(kRotateWest)->setEnabled(connected);
    m_calibrate->setEnabled(connected);
    m_speed->setEnabled(connected);
    m_reset->setEnabled(connected);
    m_sync->setEnabled(connected && calibrated);
    m_home->setEnabled(connected && calibrated);
    const bool referenced = connected && m_dome.hasDomeBeenHome();
    button(kTrack)->setEnabled(referenced);
    if (referenced)
        button(kTrack)->setText(m_dome.isDomeTrack() ? kStopTrackTitle : kTrackTitle);
    m_shutterBox->setChecked(m_dome.isDomeShutter());
    m_directionBox->setChecked(m_dome.isDomeBiDirection());
    button(kShutterOpen)->setEnabled(connected && m_dome.isDomeShutter());
    button(kShutterClose)->setEnabled(connected && m_dome.isDomeShutter());
    button(kRotateEast)->setEnabled(connected && m_dome.isDomeBiDirection());
}

void DomePanel::domeUpdateStatus()
{
    if (!m_dome.isDomeConnect())
        return;
    m_dome.domeGetScopeAz();
    m_domeAzimuth->setText(QString::number(m_dome.domeAzimuth(), 'f', 1));
    m_scopeAzimuth->setText(QString::number(m_dome.scopeAzimuth(), 'f', 1));
    const bool on[kLightCount] = {m_dome.domeIStat(1), m_dome.domeIStat(2), m_dome.domeIStat(3),
                                  m_dome.domeIStat(4), m_dome.domeR1Stat(), m_dome.domeR2Stat(),
                                  m_dome.domeO7Stat(), m_dome.domeO8Stat()};
    for (int i = 0; i < kLightCount; ++i)
        setLight(i, on[i] ? Light::Green : Light::Clear);
}

QString DomePanel::domeAzimuthText() const
{
    return m_domeAzimuth->text();
}

QString DomePanel::scopeAzimuthText() const
{
    return m_scopeAzimuth->text();
}

void DomePanel::setLight(int index, Light state)
{
    m_lightStates[std::size_t(index)] = state;
    m_lights[std::size_t(index)]->setPixmap(m_lightImages[std::size_t(state)]);
}

void DomePanel::setAllLights(Light state)
{
    for (int i = 0; i < kLightCount; ++i)
        setLight(i, state);
}

void DomePanel::setDomeSetupText()
{
    m_setup->setValues({m_dome.domeX(), m_dome.domeY(), m_dome.domeZ(), m_dome.domeR(),
                        m_dome.domer(), m_dome.domef(), m_dome.domeHomeAzimuth(),
                        m_dome.domeDelta(), m_dome.domeFrequency()});
    m_shutterBox->setChecked(m_dome.isDomeShutter());
    m_directionBox->setChecked(m_dome.isDomeBiDirection());
    const bool polarity[4] = {m_dome.domeI5V1(), m_dome.domeI5V2(), m_dome.domeI5V3(),
                              m_dome.domeI5V4()};
    for (int i = 0; i < 4; ++i)
        m_polarity[std::size_t(i)]->setChecked(polarity[i]);
    selectSpeed(m_dome.baudRate());
}

void DomePanel::setDomeCalText()
{
    m_ticks->setText(QString::number(m_dome.domeMaxTicks()));
    m_coast->setText(QString::number(m_dome.domeOvershoot()));
}

void DomePanel::setCalButtonTitle()
{
    m_calibrate->setText(kCalibrateTitle);
}

void DomePanel::setCalProgress(bool running)
{
    setProgress(running);
    m_isInProgress = running;
}

void DomePanel::setProgress(bool running)
{
    m_progress->setVisible(running);
}

void DomePanel::setHomeTitle(const QString& title)
{
    m_home->setText(title);
}

void DomePanel::domeConnectEnded(bool connected)
{
    if (connected)
        button(kConnect)->setText(kDisconnectTitle);
    else
        AlertPanel::runAlert(kConnectFailed, m_dome.connectFailure());
}

void DomePanel::domeLost()
{
    button(kConnect)->setText(kConnectTitle);
    setAllLights(Light::Red);
    setMotionButtons();
}

void DomePanel::setMotionButtons()
{
    const bool rotating = m_dome.isDomeRelayOn();
    button(kRotateEast)->setChecked(rotating && m_rotateTag == kRotateEast);
    button(kRotateWest)->setChecked(rotating && m_rotateTag == kRotateWest);
    button(kShutterOpen)->setChecked(m_dome.isShutterOpenHeld());
    button(kShutterClose)->setChecked(m_dome.isShutterCloseHeld());
}

void DomePanel::setToolTips()
{
    m_setup->setToolTips();
    m_setup->saveButton()->setToolTip(DomeToolTips::kSave);
    const std::pair<QWidget*, const char*> tips[] = {
        {button(kConnect), DomeToolTips::kConnect},
        {button(kTrack), DomeToolTips::kTrack},
        {button(kRotateEast), DomeToolTips::kRotateEast},
        {button(kRotateWest), DomeToolTips::kRotateWest},
        {button(kShutterOpen), DomeToolTips::kOpen},
        {button(kShutterClose), DomeToolTips::kClose},
        {m_sync, DomeToolTips::kSync},
        {m_home, DomeToolTips::kFindHome},
        {m_calibrate, DomeToolTips::kCalibrate},
        {m_ticks, DomeToolTips::kTicks},
        {m_coast, DomeToolTips::kCoast},
        {m_shutterBox, DomeToolTips::kShutterBox},
        {m_directionBox, DomeToolTips::kDirectionBox},
    };
    for (const auto& [widget, tip] : tips)
        widget->setToolTip(QString::fromUtf8(tip));
    for (QCheckBox* box : m_polarity)
        box->setToolTip(DomeToolTips::kPolarity);
}

void DomePanel::clearToolTips()
{
    for (QWidget* widget : findChildren<QWidget*>())
        widget->setToolTip({});
}
