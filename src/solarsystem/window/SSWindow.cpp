#include "solarsystem/window/SSWindow.h"

#include "model/Angles.h"
#include "model/ShortcutDateSteps.h"
#include "model/settings/PrefControl.h"
#include "platform/StringTables.h"
#include "platform/widgets/ScreenPlacement.h"
#include "solarsystem/window/SSDrawView.h"
#include "solarsystem/window/SSDrawer.h"
#include "solarsystem/window/SSView.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLayout>
#include <QLabel>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr double kTiltStep = 0.1;      // degrees of the tilt slider
constexpr double kZoomStep = 0.01;
constexpr double kRotateStep = 0.2;    // degrees
constexpr double kHourStep = 0.0416666666666667;  // days
constexpr double kSecondsPerDay = 86400.0;
// The drawer spans the window's height but this much.
constexpr int kDrawerHeight = 282;
constexpr int kDrawerContentHeight = 299;
constexpr int kDrawerLeading = 2;

}  // namespace

SSWindow::SSWindow(const PrefControl& prefControl, const SkyDateModel& skyDateModel, SSBodies& bodies,
                   const QString& resourcesFolder, QWidget* parent)
    : QMainWindow(parent, Qt::Tool), m_prefControl(prefControl)
{
    auto* content = new QWidget(this);
    m_ssView = new SSView(prefControl, bodies, resourcesFolder, content);
    m_ssView->setMinimumSize(200, 150);
    m_ssDrawerDisc = new QToolButton(content);
    m_ssDrawerDisc->setCheckable(true);
    m_ssDrawerDisc->setArrowType(Qt::RightArrow);
    auto* dateText = new QLabel(content);
    auto* angleText = new QLabel(content);
    auto* rotateText = new QLabel(content);
    dateText->setObjectName("ssDateText");
    angleText->setObjectName("ssAngleText");
    rotateText->setObjectName("ssRotateText");
    auto* readouts = new QHBoxLayout;
    readouts->addWidget(m_ssDrawerDisc);
    readouts->addWidget(dateText, 2);
    readouts->addWidget(angleText, 1);
    readouts->addWidget(rotateText, 1);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_ssView, 1);
    layout->addLayout(readouts);
    setCentralWidget(content);

    m_ssDrawer = new SSDrawer(skyDateModel, bodies, *m_ssView, this);
    addDockWidget(Qt::RightDockWidgetArea, m_ssDrawer);
    m_ssDrawer->hide();
    m_ssView->setOutlets(this, m_ssDrawer, m_ssDrawerDisc, dateText, angleText, rotateText);
    connect(m_ssDrawerDisc, &QToolButton::toggled, m_ssDrawer, &SSDrawer::controlDrawer);

    setWindowTitle(StringTables::localizedString("Windows", "Solar System"));
    resize(800, 640);
    ScreenPlacement::toLowerLeft(*this);
    setDrawerLimits(QRectF(centralWidget()->rect()));
    m_ssView->updateBottomPanel();
}

void SSWindow::doResize() { m_ssView->setDidResize(true); }

void SSWindow::setDrawerLimits(const QRectF& rect)
{
    int trailing = int(rect.height() - kDrawerHeight);
    if (trailing < 0)
        trailing = int(centralWidget()->height() - kDrawerContentHeight);
    // The drawer lies inside this window, so its controls must still fit:
    // a drawer taller than the window would make the window grow, and with
    // it the plot and the next offset, at every redraw.
    SSDrawView& drawView = m_ssDrawer->drawView();
    const int room = centralWidget()->height() - kDrawerLeading - drawView.layout()->minimumSize().height();
    trailing = std::clamp(trailing, 0, std::max(room, 0));
    const QMargins limits(0, kDrawerLeading, 0, trailing);
    if (drawView.contentsMargins() != limits)
        drawView.setContentsMargins(limits);
}

QMargins SSWindow::drawerLimits() const { return m_ssDrawer->drawView().contentsMargins(); }

void SSWindow::updatePositions() { m_ssDrawer->updatePositions(); }

void SSWindow::keyPressEvent(QKeyEvent* event)
{
    SSView& view = *m_ssView;
    const bool option = event->modifiers() & Qt::AltModifier;
    const double tilt = view.angle() * Angles::kRadToDeg + 90.0;
    const double rotation = view.rotate() * Angles::kRadToDeg;
    switch (event->key()) {
    case Qt::Key_Up:
        if (option)
            view.setAngle(float(std::min(tilt + kTiltStep, 180.0)));
        else
            view.setZoom(float(std::min(view.zoom() + kZoomStep, double(SSView::kMaxZoom))));
        break;
    case Qt::Key_Down:
        if (option)
            view.setAngle(float(std::max(tilt - kTiltStep, 0.0)));
        else
            view.setZoom(float(std::max(view.zoom() - kZoomStep, double(SSView::kMinZoom))));
        break;
    case Qt::Key_Left:
        if (option)
            m_ssDrawer->scrollDate(-kHourStep);
        else
            view.setRotate(float(rotation + kRotateStep > 360.0 ? rotation + kRotateStep - 360.0
                                                                 : rotation + kRotateStep));
        break;
    case Qt::Key_Right:
        if (option)
            m_ssDrawer->scrollDate(kHourStep);
        else
            view.setRotate(float(rotation - kRotateStep < 0.0 ? rotation - kRotateStep + 360.0
                                                               : rotation - kRotateStep));
        break;
    default:
        if (!event->text().isEmpty()) {
            if (const std::optional<double> seconds =
                    ShortcutDateSteps::secondsFor(m_prefControl.shortcutPrefStr(), event->text().front()))
                m_ssDrawer->scrollDate(*seconds / kSecondsPerDay);
        }
        break;
    }
    view.update();
    view.updateBottomPanel();
    m_ssDrawer->updateSliders();
}

void SSWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (event->spontaneous())
        return;
    m_ssDrawer->followSkyDate();
    m_ssView->updateBottomPanel();
}

void SSWindow::resizeEvent(QResizeEvent* event)
{
    // The drawer follows the window's height, so a resize of the window is
    // the drawer's frame change that flags the plot.
    QMainWindow::resizeEvent(event);
    doResize();
}
