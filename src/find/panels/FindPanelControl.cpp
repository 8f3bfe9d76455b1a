#include "find/panels/FindPanelControl.h"

#include "find/FindMessages.h"
#include "find/FindObjects.h"
#include "find/SimbadLookup.h"
#include "model/settings/PrefControl.h"
#include "platform/widgets/ScreenPlacement.h"
#include "platform/widgets/WindowStacking.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr qreal kTransparent = 0.25;
constexpr qreal kOpaque = 1.0;
constexpr QPoint kOnScreenCorner{20, 20};

QString windows(const char* key)
{
    return FindMessages::windows(key);
}

}  // namespace

FindPanelControl::FindPanelControl(PrefControl& prefs, FindObjects& finder, ChartKeyboard chart,
                                   QWidget* parent)
    : QWidget(parent, Qt::Tool),
      m_prefs(prefs),
      m_finder(finder),
      m_chart(std::move(chart)),
      m_prompt(new QLabel(this)),
      m_enterText(new QLineEdit(this)),
      m_resultText(new QLabel(this)),
      m_centerButton(new QPushButton(this)),
      m_trackButton(new QPushButton(this)),
      m_trackCenterButton(new QPushButton(this)),
      m_pulldown(new QComboBox(this)),
      m_serverGroup(new QButtonGroup(this)),
      m_serverBox(new QWidget(this))
{
    setWindowTitle(windows("Find Object"));
    m_prompt->setText(windows("Enter object name to find:"));
    m_trackButton->setText(windows("Track"));
    m_centerButton->setText(windows("Center"));
    m_trackCenterButton->setText(windows("Track and Center"));

    auto* servers = new QHBoxLayout(m_serverBox);
    servers->setContentsMargins(0, 0, 0, 0);
    const char* const serverTitles[] = {"CFA", "CDS", "Sesame"};
    for (int column = SimbadLookup::kFirstMirror; column <= SimbadLookup::kSesame; ++column) {
        auto* radio = new QRadioButton(QString::fromLatin1(serverTitles[column]), m_serverBox);
        m_serverGroup->addButton(radio, column);
        servers->addWidget(radio);
    }
    m_serverGroup->button(m_finder.simServerColumn())->setChecked(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_prompt, 0, 0, 1, 3);
    grid->addWidget(m_enterText, 1, 0, 1, 3);
    grid->addWidget(m_resultText, 2, 0, 1, 3);
    grid->addWidget(m_pulldown, 3, 0, 1, 3);
    grid->addWidget(m_centerButton, 4, 0);
    grid->addWidget(m_trackButton, 4, 1);
    grid->addWidget(m_trackCenterButton, 4, 2);
    grid->addWidget(m_serverBox, 5, 0, 1, 3);

    connect(m_enterText, &QLineEdit::returnPressed, this,
            [this] { m_finder.findObjectName(m_enterText->text()); });
    connect(m_pulldown, &QComboBox::activated, this, [this](int index) {
        const QString title = m_pulldown->itemText(index);
        if (title != QLatin1String(FindPanelState::kListTitle))
            m_finder.findPulldownAction(title);
    });
    connect(m_serverGroup, &QButtonGroup::idClicked, this,
            [this](int column) { m_finder.simServerAction(column); });
    connect(m_centerButton, &QPushButton::clicked, this, &FindPanelControl::findCenterAction);
    connect(m_trackButton, &QPushButton::clicked, this, &FindPanelControl::findTrackAction);
    connect(m_trackCenterButton, &QPushButton::clicked, this, &FindPanelControl::findTCAction);
    connect(&m_finder, &FindObjects::panelChanged, this, &FindPanelControl::showFinderState);

    setButtonsEnabled(false, false, false);
    m_pulldown->setEnabled(false);
    adjustSize();
    ScreenPlacement::toPoint(*this, kOnScreenCorner);
}

void FindPanelControl::setButtonsEnabled(bool center, bool track, bool trackCenter)
{
    m_centerButton->setEnabled(center);
    m_trackButton->setEnabled(track);
    m_trackCenterButton->setEnabled(trackCenter);
}

void FindPanelControl::showFinderState()
{
    const FindPanelState& state = m_finder.panelState();
    m_resultText->setText(state.resultText);
    setButtonsEnabled(state.isCenterEnabled, state.isTrackEnabled, state.isTrackCenterEnabled);
    m_pulldown->clear();
    m_pulldown->addItems(state.pulldownItems);
    if (!state.pulldownTitle.isEmpty() && m_pulldown->findText(state.pulldownTitle) < 0)
        m_pulldown->addItem(state.pulldownTitle);
    m_pulldown->setCurrentText(state.pulldownTitle);
    m_pulldown->setEnabled(state.isPulldownEnabled);
}

void FindPanelControl::openFind(bool open)
{
    if (!open) {
        m_chart.makeKey();
        return;
    }
    setWindowOpacity(kOpaque);
    WindowStacking::bringToFront(*this);
    setButtonsEnabled(false, false, false);
    m_resultText->clear();
    m_enterText->clear();
    m_enterText->setFocus();
}

QString FindPanelControl::getEnterString() const
{
    return m_enterText->text();
}

void FindPanelControl::setEnterString(const QString& text)
{
    m_enterText->setText(text);
}

void FindPanelControl::setToolTips()
{
    m_enterText->setToolTip(windows("Enter the object name you want to locate"));
    m_trackButton->setToolTip(windows("Open the Scope View window and track the object"));
    m_centerButton->setToolTip(windows("Center the object in the sky display"));
    m_trackCenterButton->setToolTip(windows("Track the object and center it in the sky display"));
    m_serverBox->setToolTip(
        windows("SIMBAD search engine. CFA:USA-Harvard, CDC:France, CADC:Canada"));
}

void FindPanelControl::clearToolTips()
{
    for (QWidget* w : {static_cast<QWidget*>(m_enterText), static_cast<QWidget*>(m_trackButton),
                       static_cast<QWidget*>(m_centerButton),
                       static_cast<QWidget*>(m_trackCenterButton), m_serverBox})
        w->setToolTip(QString());
}

void FindPanelControl::setTransparency()
{
    setWindowOpacity(m_prefs.isTransparent() && !isActiveWindow() ? kTransparent : kOpaque);
}

void FindPanelControl::orderFront()
{
    show();
    raise();
}

void FindPanelControl::keyPressEvent(QKeyEvent* event)
{
    if (!isActiveWindow()) {
        if (m_chart.keyDown)
            m_chart.keyDown(event);
        return;
    }
    setTransparency();
    if (event->key() == Qt::Key_Escape)
        hide();
}

bool FindPanelControl::focusNextPrevChild(bool)
{
    // Tab goes back to the entry with its text selected, ready for a new name.
    m_enterText->setFocus(Qt::TabFocusReason);
    m_enterText->selectAll();
    return true;
}

void FindPanelControl::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange)
        setTransparency();
    QWidget::changeEvent(event);
}

void FindPanelControl::closeEvent(QCloseEvent* event)
{
    m_chart.makeKey();
    QWidget::closeEvent(event);
}
