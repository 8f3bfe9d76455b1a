#include "mount/panels/HandPanel.h"

#include "model/settings/PrefControl.h"
#include "mount/links/PanelMount.h"
#include "mount/panels/RadioMatrix.h"
#include "platform/StringTables.h"
#include "platform/widgets/WindowStacking.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

int opposite(int code)
{
    switch (code) {
    case kDirUp: return kDirDown;
    case kDirDown: return kDirUp;
    case kDirLeft: return kDirRight;
    case kDirRight: return kDirLeft;
    default: return 0;
    }
}

}  // namespace

QString scopeText(const char* key)
{
    return StringTables::localizedString(QStringLiteral("Scope"), QString::fromUtf8(key));
}

HandPanel::HandPanel(Links links, QWidget* parent)
    : QDialog(parent, Qt::Tool),
      m_prefs(links.prefs),
      m_mount(links.mount),
      m_focusers(links.focusers),
      m_layout(new QVBoxLayout(this))
{
    setModal(false);
    setWindowOpacity(kTransparentAlpha);
}

bool HandPanel::isConnected() const
{
    return m_mount.isConnected();
}

void HandPanel::orderFront() { WindowStacking::bringToFront(*this); }

void HandPanel::setTransparency()
{
    setWindowOpacity(m_prefs.isTransparent() ? kTransparentAlpha : 1.0);
}

void HandPanel::setToolTips()
{
    for (const auto& [widget, tip] : m_tips)
        widget->setToolTip(tip);
}

void HandPanel::clearToolTips()
{
    for (const auto& entry : m_tips)
        entry.first->setToolTip(QString());
}

QAbstractButton* HandPanel::directionButton(int tag) const
{
    return tag >= kDirUp && tag <= kDirStop ? m_direction[size_t(tag - 1)] : nullptr;
}

QPushButton* HandPanel::buttonWithTag(int tag) const
{
    for (QPushButton* button : findChildren<QPushButton*>()) {
        if (button->property("tag").toInt() == tag)
            return button;
    }
    return nullptr;
}

QGroupBox* HandPanel::addBox(const char* title)
{
    auto* box = new QGroupBox(scopeText(title), this);
    m_layout->addWidget(box);
    return box;
}

void HandPanel::addDirectionButtons(QGroupBox* box)
{
    auto* grid = new QGridLayout(box);
    static constexpr std::array<const char*, 5> kTitles{"U", "D", "L", "R", "Q"};
    static constexpr std::array<std::pair<int, int>, 5> kPlaces{{{0, 1}, {2, 1}, {1, 0}, {1, 2}, {1, 1}}};
    for (int tag = kDirUp; tag <= kDirStop; ++tag) {
        auto* button = new QPushButton(scopeText(kTitles[size_t(tag - 1)]), box);
        button->setFocusPolicy(Qt::NoFocus);
        grid->addWidget(button, kPlaces[size_t(tag - 1)].first, kPlaces[size_t(tag - 1)].second);
        m_direction[size_t(tag - 1)] = button;
        connect(button, &QPushButton::pressed, this, [this, tag] {
            if (!m_isLocked)
                directionAction(tag);
        });
        connect(button, &QPushButton::released, this, [this, tag] {
            if (!m_isLocked)
                directionAction(tag);
        });
        connect(button, &QPushButton::clicked, this, [this, tag] {
            if (m_isLocked)
                directionAction(tag);
        });
    }
}

QPushButton* HandPanel::addButton(QBoxLayout* layout, const char* title, int tag)
{
    auto* button = new QPushButton(scopeText(title), this);
    button->setProperty("tag", tag);
    button->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(button);
    return button;
}

RadioMatrix* HandPanel::addSpeedMatrix(QBoxLayout* layout, int tag, bool withGuide)
{
    auto* matrix = withGuide
                       ? new RadioMatrix(tag, QString(),
                                         {{10, scopeText("Fast")}, {11, scopeText("Med")},
                                          {12, scopeText("Slow")}, {13, scopeText("Guide")}},
                                         2, this)
                       : new RadioMatrix(tag, QString(), {{10, scopeText("Fast")}, {11, scopeText("Slow")}},
                                         2, this);
    layout->addWidget(matrix);
    return matrix;
}

QCheckBox* HandPanel::addLockBox(QBoxLayout* layout)
{
    auto* lock = new QCheckBox(scopeText("Lock"), this);
    lock->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(lock);
    connect(lock, &QCheckBox::clicked, this, &HandPanel::lockAction);
    addTip(lock, "Click to slew on, click to slew off");
    return lock;
}

void HandPanel::addTip(QWidget* widget, const char* tip)
{
    m_tips.emplace_back(widget, scopeText(tip));
}

void HandPanel::addSlewTips(bool leftIsWest)
{
    addTip(m_direction[0], "Slew up (north)");
    addTip(m_direction[1], "Slew down (south)");
    addTip(m_direction[2], leftIsWest ? "Slew left (west)" : "Slew left (east)");
    addTip(m_direction[3], leftIsWest ? "Slew right (east)" : "Slew right (west)");
    addTip(m_direction[4], "Stop slewing");
}

void HandPanel::directionAction(int tag)
{
    if (tag < kDirUp || tag > kDirStop || !isConnected() || !mayAct())
        return;
    if (m_isLocked)
        lockedAction(tag);
    else
        holdAction(tag);
}

void HandPanel::holdAction(int tag)
{
    if (!m_isPressed) {
        holdCode(tag);
        m_isPressed = tag != kDirStop;
    } else {
        holdStop();
        m_isPressed = false;
    }
}

void HandPanel::lockedAction(int tag)
{
    QPushButton* button = m_direction[size_t(tag - 1)];
    const bool on = button->isChecked();
    if (tag == kDirStop) {
        setSlewButtonsOff();
        button->setChecked(false);
        if (on)
            lockedOn(kDirStop);
        else
            holdStop();
        return;
    }
    if (on) {
        switchOpposite(tag);
        lockedOn(tag);
    } else {
        lockedOff(tag);
    }
}

void HandPanel::lockedOff(int code)
{
    switchOpposite(code);
    m_mount.slewStopLX200(code);
}

void HandPanel::switchOpposite(int code)
{
    if (const int other = opposite(code))
        m_direction[size_t(other - 1)]->setChecked(false);
}

void HandPanel::lockAction(bool on)
{
    if (!isConnected() || !mayAct())
        return;
    setLockedButtons(on);
    m_isPressed = false;
    holdStop();
}

void HandPanel::setLockedButtons(bool locked)
{
    m_isLocked = locked;
    for (QPushButton* button : m_direction) {
        button->setCheckable(locked);
        button->setChecked(false);
    }
}

void HandPanel::setSlewButtonsOff()
{
    for (int tag = kDirUp; tag <= kDirRight; ++tag)
        m_direction[size_t(tag - 1)]->setChecked(false);
}

void HandPanel::enterEvent(QEnterEvent* event)
{
    setWindowOpacity(1.0);
    QDialog::enterEvent(event);
}

void HandPanel::leaveEvent(QEvent* event)
{
    setTransparency();
    QDialog::leaveEvent(event);
}

void HandPanel::keyPressEvent(QKeyEvent* event)
{
    // The panel takes every key: Escape must not close it.
    event->accept();
    if (!takesKeys() || !isConnected())
        return;
    switch (event->key()) {
    case Qt::Key_Escape:
        if (m_focusers)
            m_focusers->raiseConnected();
        return;
    case Qt::Key_Up:
    case Qt::Key_PageUp:
        keySlew(kDirLeft);
        return;
    case Qt::Key_Down:
    case Qt::Key_PageDown:
        keySlew(kDirRight);
        return;
    case Qt::Key_F5:
        keySlew(kDirDown);
        return;
    default:
        if (event->text().startsWith(u'b'))
            keySlew(kDirUp);
        return;
    }
}

void HandPanel::keyReleaseEvent(QKeyEvent* event)
{
    event->accept();
    if (event->isAutoRepeat() || !takesKeys() || !isConnected())
        return;
    keySlew(kDirStop);
}
