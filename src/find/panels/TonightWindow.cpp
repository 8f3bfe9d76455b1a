#include "find/panels/TonightWindow.h"

#include "find/panels/TonightHours.h"
#include "platform/widgets/WindowStacking.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

// The chart's first view starts three hours before midnight.
constexpr int kStartScroll = 800;
constexpr int kVisibleWidth = 800;
const char* const kSwitches[] = {"Sun",    "Mercury", "Venus", "Mars", "Jupiter", "Saturn",
                                 "Uranus", "Neptune", "Pluto", "Moon", "Twilight", "Mist"};

}  // namespace

TonightWindow::TonightWindow(TonightView::Links links, QWidget* parent)
    : QWidget(parent, Qt::Tool),
      m_scrollArea(new QScrollArea(this)),
      m_view(nullptr),
      m_hours(new TonightHours(*m_scrollArea->horizontalScrollBar(), this)),
      m_tour1Name(new QLabel(this)),
      m_tour2Name(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Tonight"));
    links.scrollerValue = [this] { return m_hours->scrollValue(); };
    m_view = new TonightView(std::move(links));
    m_hours->setHourLabels([this](int hours) { return m_view->hourLabel(hours); });
    m_scrollArea->setWidget(m_view);
    m_scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_scrollArea->setFixedWidth(kVisibleWidth + 2 * m_scrollArea->frameWidth());
    m_scrollArea->setFixedHeight(TonightView::kHeight + m_scrollArea->horizontalScrollBar()->sizeHint().height() +
                                 2 * m_scrollArea->frameWidth());
    m_hours->setFixedWidth(kVisibleWidth);

    auto* boxes = new QGridLayout;
    for (int tag = 0; tag < int(std::size(kSwitches)); ++tag) {
        auto* box = new QCheckBox(QString::fromLatin1(kSwitches[tag]), this);
        m_controls[tag] = box;
        boxes->addWidget(box, 0, tag);
    }
    const auto tourRow = [&](int row, int switchTag, int openTag, QLabel* name, const QString& title) {
        auto* box = new QCheckBox(title, this);
        auto* open = new QPushButton(QStringLiteral("Open..."), this);
        m_controls[switchTag] = box;
        m_controls[openTag] = open;
        boxes->addWidget(box, row, 0, 1, 2);
        boxes->addWidget(open, row, 2, 1, 2);
        boxes->addWidget(name, row, 4, 1, 8);
    };
    tourRow(1, TonightView::kTour1Tag, TonightView::kOpenTour1Tag, m_tour1Name, QStringLiteral("Tour 1"));
    tourRow(2, TonightView::kTour2Tag, TonightView::kOpenTour2Tag, m_tour2Name, QStringLiteral("Tour 2"));
    for (auto& [tag, control] : m_controls) {
        connect(control, &QAbstractButton::clicked, m_view, [this, tag = tag](bool on) {
            m_view->tonightAction(tag, on, QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier);
        });
    }
    connect(m_view, &TonightView::switchesChanged, this, &TonightWindow::syncControls);
    connect(m_view, &TonightView::rulerNeedsDisplay, m_hours, qOverload<>(&QWidget::update));
    // The altitude scale and the readout stay at the visible left edge.
    connect(m_scrollArea->horizontalScrollBar(), &QScrollBar::valueChanged, m_view, qOverload<>(&QWidget::update));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_scrollArea);
    layout->addWidget(m_hours);
    layout->addLayout(boxes);
    syncControls();
    WindowStacking::watchPointer();
}

void TonightWindow::syncControls()
{
    for (auto& [tag, control] : m_controls)
        if (control->isCheckable())
            control->setChecked(m_view->isSwitchOn(tag));
    m_tour1Name->setText(m_view->tourName(1));
    m_tour2Name->setText(m_view->tourName(2));
}

void TonightWindow::showTonight()
{
    m_view->tonightDate();
    WindowStacking::bringToFront(*this);
    m_view->update();
    m_hours->update();
}

void TonightWindow::enterEvent(QEnterEvent* event)
{
    if (WindowStacking::mayTakeKeyOnEntry(*this))
        activateWindow();
    QWidget::enterEvent(event);
}

void TonightWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The scroll range exists once the window is laid out.
    if (!m_isPlaced) {
        m_isPlaced = true;
        m_scrollArea->horizontalScrollBar()->setValue(kStartScroll);
    }
}
