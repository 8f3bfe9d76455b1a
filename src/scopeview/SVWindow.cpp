#include "scopeview/SVWindow.h"

#include "scopeview/SVClickMenu.h"
#include "scopeview/SVConeSearch.h"
#include "scopeview/SVDrawView.h"
#include "scopeview/SVDrawer.h"
#include "scopeview/SVKeys.h"
#include "scopeview/SVMountLink.h"
#include "scopeview/SVOptics.h"
#include "scopeview/SVReadouts.h"
#include "scopeview/SVView.h"

#include "model/settings/PrefControl.h"
#include "platform/ModifierKey.h"
#include "platform/StringTables.h"
#include "platform/widgets/ProgramActivity.h"
#include "platform/widgets/ScreenPlacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGraphicsOpacityEffect>
#include <QPropertyAnimation>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPixmap>
#include <QScrollArea>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr int kStartSide = 400;
constexpr int kLedFadeMs = 500;
constexpr int kTextInset = 4;
constexpr int kPowerTextWidth = 70;
constexpr int kFOVTextWidth = 90;

QString global(const char* key) { return StringTables::localizedString("Global", key); }

}  // namespace

SVWindow::SVWindow(PrefControl& prefs, const SkyDateModel& skyDate, const StarDatabaseModel& model,
                   QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint),
      m_prefs(prefs), m_menuBar(new QMenuBar(this)), m_view(new SVView(prefs, skyDate, model, this)),
      m_bottomBar(new QWidget(this)),
      m_ledButton(new QLabel(m_bottomBar)), m_svPowerText(new QLabel(m_bottomBar)),
      m_svFOVText(new QLabel(m_bottomBar)), m_svRADecText(new QLabel(m_bottomBar)),
      m_svDrawerDisc(new QToolButton(m_bottomBar)), m_drawerPanel(new QScrollArea(this)),
      m_drawView(new SVDrawView),
      m_drawer(new SVDrawer(prefs, *m_drawView, *m_view, this)),
      m_clickMenu(new SVClickMenu(m_view->state(), this))
{
    setFocusPolicy(Qt::StrongFocus);
    m_drawerPanel->setWidget(m_drawView);
    m_drawerPanel->setWidgetResizable(true);
    m_drawerPanel->hide();
    m_svDrawerDisc->setCheckable(true);
    m_svDrawerDisc->setArrowType(Qt::RightArrow);
    m_svDrawerDisc->setAutoRaise(true);
    connect(m_svDrawerDisc, &QToolButton::toggled, this, &SVWindow::controlDrawer);
    auto* fade = new QGraphicsOpacityEffect(m_ledButton);
    m_ledButton->setGraphicsEffect(fade);
    m_ledAnim = new QPropertyAnimation(fade, "opacity", this);
    m_ledAnim->setDuration(kLedFadeMs);
    m_ledAnim->setStartValue(0.0);
    m_ledAnim->setEndValue(1.0);
    connect(m_view, &SVView::bottomPanelChanged, this, &SVWindow::updateBottomPanel);
    m_view->setClickMenu(m_clickMenu);
    m_view->setDrawer(m_drawer);
    m_view->setCameraFrameDrawn([this] { m_drawer->setEye10(); });
    connect(&ProgramActivity::instance(), &ProgramActivity::stateChanged, this,
            &SVWindow::applicationStateChanged);
    resize(kStartSide, menuBarHeight() + kStartSide + kBottomBarHeight);
}

SVWindow::~SVWindow() = default;

bool SVWindow::awakeFromNib(const QString& resourcesFolder)
{
    ScreenPlacement::toTopLeft(*this);
    m_keepSVClosed = false;
    setWindowTitle(StringTables::localizedString("Windows", "Not Tracking..."));
    const bool made = m_view->awakeFromNib(resourcesFolder);
    m_ledButton->setPixmap(QPixmap::fromImage(m_view->statusLights().clearButton));
    setupDrawer();
    return made;
}

void SVWindow::setConeSearch(SVConeSearch* nomad)
{
    m_nomad = nomad;
    m_drawer->setConeSearch(nomad);
    m_view->setConeSearch(nomad);
}

void SVWindow::setupDrawer() { m_drawer->setupDrawer(); }

void SVWindow::display() { m_view->repaint(); }

void SVWindow::controlDrawer(bool on)
{
    update();
    if (on == m_isDrawerOpen)
        return;
    m_isDrawerOpen = on;
    m_drawerPanel->setVisible(on);
    m_svDrawerDisc->setArrowType(on ? Qt::LeftArrow : Qt::RightArrow);
    resize(width() + (on ? kDrawerWidth : -kDrawerWidth), height());
    placeChildren();
}

void SVWindow::closeDrawerPanel()
{
    // The disclosure button stays on, so the drawer comes back with the window.
    if (!m_isDrawerOpen)
        return;
    m_isDrawerOpen = false;
    m_drawerPanel->hide();
    resize(width() - kDrawerWidth, height());
    placeChildren();
}

void SVWindow::applicationStateChanged(Qt::ApplicationState state)
{
    if (state == Qt::ApplicationActive)
        madeActive();
    else if (state == Qt::ApplicationInactive)
        madeInactive();
}

void SVWindow::madeActive()
{
    if (!m_keepSVClosed && !isMinimized()) {
        m_view->update();
        if (m_svDrawerDisc->isChecked() && isVisible())
            controlDrawer(true);
    } else {
        closeDrawerPanel();
    }
}

void SVWindow::madeInactive()
{
    if (m_keepSVClosed || m_prefs.isSVHide() || !isVisible())
        closeDrawerPanel();
}

void SVWindow::keyPressEvent(QKeyEvent* event)
{
    // Ctrl, Alt or Shift held for a click or a drag over the image is no key press.
    if (isModifierKey(event->key())) {
        QWidget::keyPressEvent(event);
        return;
    }
    const SVKeys keys = SVKeys::keyDown(event->key(), event->modifiers().testFlag(Qt::AltModifier),
                                        m_view->angles().svAngle, m_prefs.arrowSpeed(),
                                        SVOrientation::flipsOf(m_prefs), m_drawer->power());
    if (keys.power) {
        m_drawer->setPower(*keys.power);
        m_drawer->setFov(SVOptics::kDirectApparentField / *keys.power);
        m_view->calculateSVAngles();
    }
    if (keys.dRA != 0.0 || keys.dDec != 0.0)
        m_view->setDeltaRA(keys.dRA, keys.dDec);
    // Any key drops the survey image and the cone-search stars.
    m_view->state().setIsDSSImage(false);
    if (m_nomad)
        m_nomad->setNomadHasData(false);
    m_view->update();
    event->accept();
}

void SVWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // A square view over the bottom bar; the width decides.
    const int drawer = m_isDrawerOpen ? kDrawerWidth : 0;
    const int wanted = menuBarHeight() + std::max(1, width() - drawer) + kBottomBarHeight;
    // A maximised or full-screen window takes the size it is given.
    if (height() != wanted && !isMaximized() && !isFullScreen())
        resize(width(), wanted);
    placeChildren();
}

void SVWindow::placeChildren()
{
    const int drawer = m_isDrawerOpen ? kDrawerWidth : 0;
    const int top = menuBarHeight();
    const int side = std::max(1, std::min(width() - drawer, height() - top - kBottomBarHeight));
    m_menuBar->setGeometry(0, 0, width(), top);
    m_view->setGeometry(0, top, side, side);
    m_bottomBar->setGeometry(0, top + side, side, kBottomBarHeight);
    m_svDrawerDisc->setGeometry(side - kBottomBarHeight, 0, kBottomBarHeight, kBottomBarHeight);
    m_ledButton->setGeometry(side - 2 * kBottomBarHeight, 0, kBottomBarHeight, kBottomBarHeight);
    // Wide enough for the highest power in the label's font and language.
    const QString widest = global("Power") + ": " + SVReadouts::power(SVOptics::kMaxPower);
    const int power = std::max(kPowerTextWidth, m_svPowerText->fontMetrics().horizontalAdvance(widest) + kTextInset);
    m_svPowerText->setGeometry(kTextInset, 0, power, kBottomBarHeight);
    m_svFOVText->setGeometry(kTextInset + power, 0, kFOVTextWidth, kBottomBarHeight);
    const int radec = kTextInset + power + kFOVTextWidth;
    m_svRADecText->setGeometry(radec, 0, std::max(0, side - 2 * kBottomBarHeight - radec), kBottomBarHeight);
    if (m_isDrawerOpen)
        m_drawerPanel->setGeometry(side, top + kDrawerTop, kDrawerWidth,
                                   std::min(kDrawerHeight, height() - top - kDrawerTop));
    m_view->calculateSVAngles();
}

int SVWindow::menuBarHeight() const { return m_menuBar->sizeHint().height(); }

void SVWindow::closeEvent(QCloseEvent* event)
{
    m_keepSVClosed = true;
    event->accept();
}

void SVWindow::setHasChanged(bool changed)
{
    m_view->state().setHasChanged(changed);
}

void SVWindow::updateBottomPanel()
{
    const SVViewState& s = m_view->state();
    if (!s.isTracking()) {
        m_svPowerText->clear();
        m_svFOVText->clear();
        m_svRADecText->clear();
    } else {
        m_svPowerText->setText(global("Power") + ": " + SVReadouts::power(m_drawer->power()));
        m_svFOVText->setText(global("FOV") + ": " + SVReadouts::fov(m_drawer->fov()));
        m_svRADecText->setText(global("RA") + ": " + SVReadouts::rightAscension(s.trackRAPlus() / 15.0) + " "
                               + global("Dec") + ": " + SVReadouts::declination(s.trackDecPlus()));
    }
    SVMountLink* mount = m_view->mountLink();
    const bool isConnected = mount && mount->isConnected();
    const bool isNoResponse = isConnected && mount->isNoResponse();
    const bool isSlewing = isConnected && mount->isSlewing();
    m_ledButton->setPixmap(
        QPixmap::fromImage(m_view->statusLights().forMount(isConnected, isNoResponse, isSlewing)));
    if (isConnected && !isNoResponse && !isSlewing && mount->isThreadUpdate()) {
        mount->setIsThreadUpdate(false);
        m_ledAnim->stop();
        m_ledAnim->start();
    }
}
