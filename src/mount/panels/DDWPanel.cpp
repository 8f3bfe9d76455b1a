#include "mount/panels/DDWPanel.h"

#include "model/settings/PrefControl.h"
#include "mount/dome/DDWControl.h"
#include "mount/dome/DomeMount.h"
#include "mount/panels/DomeSetupFields.h"
#include "mount/panels/DomeToolTips.h"
#include "platform/AlertPanel.h"
#include "platform/widgets/ScreenPlacement.h"
#include "platform/widgets/WindowStacking.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char kConnectTitle[] = "Connect";
const char kDisconnectTitle[] = "Disconnect";
const char kTrackTitle[] = "Track";
const char kStopTrackTitle[] = "Stop Tracking";
const char kDSROpen[] = "Can not rotate dome - DSR is open.";
const char kConnectFailed[] = "Connect to DDW failed.";
const char kUndefined[] = "Undef";

QString openClosed(quint16 state)
{
    return state == 0 ? kUndefined : state == 1 ? "Closed" : "Open";
}

}  // namespace

DDWPanel::DDWPanel(DDWControl& ddw, DomeMount& mount, PrefControl& prefs, QWidget* parent)
    : QDialog(parent, Qt::Tool), m_ddw(ddw), m_mount(mount), m_prefs(prefs),
      m_goto(new QLineEdit(this)), m_setup(new DomeSetupFields(false, this))
{
    setWindowTitle(tr("Digital Dome Works"));
    m_goto->setValidator(new QIntValidator(m_goto));
    auto* buttons = new QGridLayout;
    addButton(kConnectTitle, kConnect);
    addButton(kTrackTitle, kTrack);
    addButton(tr("Open"), kShutterOpen);
    addButton(tr("Close"), kShutterClose);
    addButton(tr("Home"), kHome);
    addButton(tr("Train"), kTrain);
    addButton(tr("All Stop"), kAllStop);
    addButton(tr("West"), kRotateWest);
    addButton(tr("East"), kRotateEast);
    int cell = 0;
    for (QPushButton* b : m_buttons) {
        if (b) {
            buttons->addWidget(b, cell / 2, cell % 2);
            ++cell;
        }
    }

    auto* readouts = new QFormLayout;
    const char* const names[kReadoutCount] = {"Dome azimuth:", "Scope azimuth:", "Shutter:",
                                              "Home:", "DSR:"};
    for (int i = 0; i < kReadoutCount; ++i) {
        m_readouts[std::size_t(i)] = new QLabel(this);
        readouts->addRow(tr(names[i]), m_readouts[std::size_t(i)]);
    }
    readouts->addRow(tr("Go to azimuth:"), m_goto);
    auto* pins = new QGridLayout;
    for (int pin = 1; pin <= 4; ++pin) {
        auto* box = new QCheckBox(tr("Pin %1").arg(pin), this);
        m_pins[std::size_t(pin - 1)] = box;
        pins->addWidget(box, 0, pin - 1);
        connect(box, &QCheckBox::clicked, this, [this, pin] { ddwPinAction(pin); });
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addLayout(readouts);
    layout->addLayout(pins);
    layout->addWidget(m_setup);

    connect(m_goto, &QLineEdit::returnPressed, this, [this] { ddwButtonAction(kGoto); });
    connect(m_setup, &DomeSetupFields::saveRequested, this, &DDWPanel::getDDWSetup);

    for (const int i : {kDomeAzimuth, kScopeAzimuth})
        m_readouts[std::size_t(i)]->setText("-1");
    for (const int i : {kShutter, kAtHome, kDSR})
        m_readouts[std::size_t(i)]->setText(kUndefined);
    setToolTips();
    m_ddw.setView(this);
}

DDWPanel::~DDWPanel()
{
    m_ddw.setView(nullptr);
}

void DDWPanel::addButton(const QString& title, int tag)
{
    auto* b = new QPushButton(title, this);
    m_buttons[std::size_t(tag)] = b;
    if (tag == kRotateWest || tag == kRotateEast) {
        // Turns while held down.
        connect(b, &QPushButton::pressed, this, [this, tag] { ddwButtonAction(tag, true); });
        connect(b, &QPushButton::released, this, [this, tag] { ddwButtonAction(tag, false); });
    } else {
        connect(b, &QPushButton::clicked, this, [this, tag] { ddwButtonAction(tag); });
    }
}

QPushButton* DDWPanel::button(int tag) const
{
    return m_buttons[std::size_t(tag)];
}

QString DDWPanel::readout(int index) const
{
    return m_readouts[std::size_t(index)]->text();
}

void DDWPanel::show()
{
    // The Connect menu may have disconnected the controller while hidden.
    button(kConnect)->setText(m_ddw.isDDWConnect() ? kDisconnectTitle : kConnectTitle);
    // Tracking ends with the connection.
    if (!m_ddw.isDDWTracking())
        button(kTrack)->setText(kTrackTitle);
    WindowStacking::bringToFront(*this);
    ScreenPlacement::toLowerLeft(*this);
}

void DDWPanel::stopTracking()
{
    m_ddw.setDDWIsTracking(false);
    button(kTrack)->setText(kTrackTitle);
}

void DDWPanel::ddwButtonAction(int tag, bool pressed)
{
    if (tag == kConnect) {
        if (m_ddw.isDDWConnect()) {
            button(kConnect)->setText(kConnectTitle);
            button(kTrack)->setText(kTrackTitle);
            m_ddw.ddwDisconnect();
        } else if (!m_ddw.isDDWConnecting() && !m_ddw.ddwConnect()) {
            AlertPanel::runAlert(kConnectFailed, m_ddw.connectFailure());
        }
        return;
    }
    if (!m_ddw.isDDWConnect()) {
        AlertPanel::runAlert("Connect to DDW first.", " ");
        return;
    }
    const bool dsrOpen = m_ddw.status().DSRStatus == kDDWDSROpen;
    switch (tag) {
    case kTrack:
        if (!m_mount.isConnected()) {
            AlertPanel::runAlert("Connect to scope with polling on first.", " ");
        } else if (dsrOpen) {
            AlertPanel::runAlert(kDSROpen, " ");
        } else if (button(kTrack)->text() == kTrackTitle) {
            button(kTrack)->setText(kStopTrackTitle);
            m_ddw.ddwTrack(true);
        } else {
            button(kTrack)->setText(kTrackTitle);
            m_ddw.ddwTrack(false);
        }
        break;
    case kGoto:
        if (dsrOpen) {
            AlertPanel::runAlert(kDSROpen, " ");
            break;
        }
        m_ddw.ddwTrack(false);
        button(kTrack)->setText(kTrackTitle);
        // The controller refuses what is not a whole degree 0..359.
        m_ddw.ddwGOTOAz(m_goto->text().toInt());
        break;
    case kShutterOpen:
    case kShutterClose:
        stopTracking();
        m_ddw.ddwShutter(tag == kShutterOpen);
        break;
    case kHome:
        stopTracking();
        m_ddw.ddwGoHome();
        break;
    case kTrain:
        stopTracking();
        m_ddw.ddwTrain();
        break;
    case kAllStop:
        stopTracking();
        m_ddw.ddwAllStop();
        break;
    case kRotateWest:
    case kRotateEast:
        // Stopping is always let through.
        if (dsrOpen && pressed) {
            AlertPanel::runAlert("Can not rotate dome.", "DSR is open!");
            break;
        }
        stopTracking();
        if (tag == kRotateWest)
            m_ddw.ddwRotateWest(pressed);
        else
            m_ddw.ddwRotateEast(pressed);
        break;
    default:
        break;
    }
}

void DDWPanel::ddwConnectEnded(bool connected)
{
    if (connected)
        button(kConnect)->setText(kDisconnectTitle);
    else
        AlertPanel::runAlert(kConnectFailed, m_ddw.connectFailure());
}

void DDWPanel::ddwPinAction(int pin)
{
    if (!m_ddw.isDDWConnect()) {
        AlertPanel::runAlert("Connect to DDW first.", " ");
        setPinBoxes();
        return;
    }
    const quint8 bit = quint8(1u << (pin - 1));
    const quint8 state = m_ddw.ddwPinState();
    m_ddw.setDDWPinState(pinBox(pin)->isChecked() ? state | bit : state & ~bit);
    m_ddw.ddwSetPins();
}

void DDWPanel::setPinBoxes()
{
    for (int pin = 1; pin <= 4; ++pin)
        pinBox(pin)->setChecked(m_ddw.ddwPinState() & (1u << (pin - 1)));
}

void DDWPanel::getDDWSetup()
{
    const DomeSetupFields::Values v = m_setup->values(
        {m_ddw.ddwX(), m_ddw.ddwY(), m_ddw.ddwZ(), m_ddw.ddwR(), m_ddw.ddwr(), m_ddw.ddwF(), 0.0f,
         m_ddw.ddwDelta(), m_ddw.ddwFrequency()});
    m_ddw.setDDWSetup(v.x, v.y, v.z, v.bigR, v.smallR, v.flip, v.delta, v.frequency);
    m_prefs.saveDomePrefs();
}

void DDWPanel::setDDWSetupText()
{
    m_setup->setValues({m_ddw.ddwX(), m_ddw.ddwY(), m_ddw.ddwZ(), m_ddw.ddwR(), m_ddw.ddwr(),
                        m_ddw.ddwF(), 0.0f, m_ddw.ddwDelta(), m_ddw.ddwFrequency()});
}

bool DDWPanel::isGEM() const
{
    return m_setup->isGEM();
}

void DDWPanel::setIsGEM(bool gem)
{
    m_setup->setIsGEM(gem);
}

void DDWPanel::setPanelTitle(const QString& title)
{
    setWindowTitle(title);
}

void DDWPanel::setDDWUpdateText()
{
    const DDWStatus& status = m_ddw.status();
    m_readouts[kDomeAzimuth]->setText(QString::number(m_ddw.ddwDomeAz()));
    m_readouts[kScopeAzimuth]->setText(QString::number(m_ddw.ddwScopeAz()));
    m_readouts[kShutter]->setText(openClosed(status.Shutter));
    m_readouts[kDSR]->setText(openClosed(status.DSRStatus));
    m_readouts[kAtHome]->setText(status.Home == 0 ? "YES" : "NO");
    setPinBoxes();
}

void DDWPanel::setToolTips()
{
    m_setup->setToolTips();
    const std::pair<QWidget*, const char*> tips[] = {
        {button(kConnect), DomeToolTips::kConnect},
        {button(kTrack), DomeToolTips::kTrack},
        {button(kRotateEast), DomeToolTips::kRotateEast},
        {button(kRotateWest), DomeToolTips::kRotateWest},
        {button(kShutterOpen), DomeToolTips::kOpen},
        {button(kShutterClose), DomeToolTips::kClose},
        {button(kHome), DomeToolTips::kFindHome},
        {button(kTrain), DomeToolTips::kTrain},
        {button(kAllStop), DomeToolTips::kAllStop},
        {m_goto, DomeToolTips::kGoto},
    };
    for (const auto& [widget, tip] : tips)
        widget->setToolTip(QString::fromUtf8(tip));
}

void DDWPanel::clearToolTips()
{
    for (QWidget* widget : findChildren<QWidget*>())
        widget->setToolTip({});
}
