#include "find/panels/TourPanel.h"

#include "find/tours/TourControl.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TourPanel::TourPanel(TourControl& control, PrefControl& prefs, Links links, QWidget* parent)
    : PanelKeyControl(prefs, std::move(links), parent),
      m_control(control),
      m_table(new QListWidget(this)),
      m_next(new QPushButton(this)),
      m_previous(new QPushButton(this)),
      m_exposure(new QPushButton(this))
{
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_previous);
    buttons->addWidget(m_next);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addLayout(buttons);
    layout->addWidget(m_exposure);
    resize(260, 360);

    connect(m_next, &QPushButton::clicked, &m_control, [this] { m_control.tourPanelAction(TourControl::kNextTag); });
    connect(m_previous, &QPushButton::clicked, &m_control,
            [this] { m_control.tourPanelAction(TourControl::kPreviousTag); });
    connect(m_exposure, &QPushButton::clicked, &m_control,
            [this] { m_control.tourPanelAction(TourControl::kExposureTag); });
    connect(m_table, &QListWidget::clicked, &m_control,
            [this](const QModelIndex& index) { m_control.tourObjectClickedAction(index.row()); });
    connect(m_table, &QListWidget::doubleClicked, &m_control,
            [this](const QModelIndex& index) { m_control.tourDoubleClickedAction(index.row()); });
    connect(&m_control, &TourControl::tableChanged, this, &TourPanel::reloadData);
    connect(&m_control, &TourControl::panelChanged, this, &TourPanel::showState);
    reloadData();
}

QPushButton& TourPanel::button(int tag) const
{
    switch (tag) {
    case TourControl::kNextTag:
        return *m_next;
    case TourControl::kPreviousTag:
        return *m_previous;
    default:
        return *m_exposure;
    }
}

void TourPanel::reloadData()
{
    m_table->clear();
    m_table->addItems(m_control.tourArray());
    showState();
}

void TourPanel::showState()
{
    const TourControl::PanelState& state = m_control.panel();
    setWindowTitle(state.title);
    m_next->setText(state.nextTitle);
    m_previous->setText(state.previousTitle);
    m_exposure->setText(state.expTitle);
    m_exposure->setEnabled(state.expEnabled);
    if (state.selectedRow >= 0 && state.selectedRow < m_table->count()) {
        m_table->setCurrentRow(state.selectedRow);
        m_table->scrollToItem(m_table->item(state.selectedRow));
    }
    if (state.visible && !isVisible()) {
        setWindowOpacity(1.0);
        show();
        raise();
        activateWindow();
    } else if (!state.visible && isVisible()) {
        hide();
    }
}

void TourPanel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    PanelKeyControl::keyPressEvent(event);
}

void TourPanel::closeEvent(QCloseEvent* event)
{
    PanelKeyControl::closeEvent(event);
    if (event->isAccepted())
        m_control.panelClosed();
}
