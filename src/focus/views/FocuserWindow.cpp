#include "focus/views/FocuserWindow.h"

#include "focus/AutoFocusRun.h"
#include "focus/FocuserFrame.h"
#include "focus/views/FocusCurveView.h"
#include "platform/AlertPanel.h"
#include "platform/widgets/EditingFinished.h"
#include "platform/widgets/ScreenPlacement.h"
#include "platform/widgets/WindowStacking.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int kTabIdentifier = Qt::UserRole;

QLabel* field(const QString& text)
{
    auto* label = new QLabel(text);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

// A pop-up whose items carry their counts as tags.
QComboBox* countPopUp(std::initializer_list<int> counts, int selected)
{
    auto* popUp = new QComboBox;
    for (const int count : counts) {
        popUp->addItem(QString::number(count), count);
        if (count == selected)
            popUp->setCurrentIndex(popUp->count() - 1);
    }
    return popUp;
}

}  // namespace

FocuserWindow::FocuserWindow(const QString& title, QWidget* parent)
    : QDialog(parent, Qt::Tool),
      m_tabs(new QTabWidget(this)),
      m_focuserForm(new QFormLayout),
      m_status(field(QStringLiteral("Not Connected"))),
      m_position(field(QStringLiteral("----"))),
      m_temperature(field(QStringLiteral("--- \u00B0C"))),
      m_zone(field(QStringLiteral("---")))
{
    setWindowTitle(title);
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);

    auto* focuserPage = new QWidget;
    focuserPage->setLayout(m_focuserForm);
    m_focuserForm->addRow(tr("Status:"), m_status);
    m_focuserForm->addRow(tr("Position:"), m_position);
    m_focuserForm->addRow(tr("Temperature:"), m_temperature);
    m_focuserForm->addRow(tr("Critical focus zone:"), m_zone);
    addTab(focuserPage, tr("Focuser"), kFocuserTab);
    m_autoFocusPage = buildAutoFocusTab();
    addTab(m_autoFocusPage, tr("Autofocus"), FocuserFrame::kAutoFocusTab);

    connect(m_tabs, &QTabWidget::currentChanged, this, &FocuserWindow::tabChanged);
}

QWidget* FocuserWindow::buildAutoFocusTab()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    m_samples = countPopUp({1, 2, 3, 4, 5}, 1);
    m_images = countPopUp({5, 7, 9, 11, 13}, 7);
    m_steps = new QSpinBox;
    m_steps->setRange(1, 9999);
    m_steps->setValue(100);
    m_steps->setFocusPolicy(Qt::ClickFocus);
    m_startButton = new QPushButton(QStringLiteral("Start"));
    m_bestButton = new QPushButton(tr("Best Focus"));
    for (QPushButton* button : {m_startButton, m_bestButton})
        button->setFocusPolicy(Qt::NoFocus);
    m_progress = new QProgressBar;
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_bestFocus = field(QStringLiteral("0000"));
    m_rms = field(QStringLiteral("0.0"));
    m_runPosition = field(QStringLiteral("----"));

    grid->addWidget(new QLabel(tr("Samples:")), 0, 0);
    grid->addWidget(m_samples, 0, 1);
    grid->addWidget(new QLabel(tr("Positions:")), 0, 2);
    grid->addWidget(m_images, 0, 3);
    grid->addWidget(new QLabel(tr("Steps:")), 1, 0);
    grid->addWidget(m_steps, 1, 1);
    grid->addWidget(m_startButton, 1, 2);
    grid->addWidget(m_bestButton, 1, 3);
    grid->addWidget(m_progress, 2, 0, 1, 4);
    grid->addWidget(new QLabel(tr("Best focus:")), 3, 0);
    grid->addWidget(m_bestFocus, 3, 1);
    grid->addWidget(new QLabel(tr("RMS:")), 3, 2);
    grid->addWidget(m_rms, 3, 3);
    grid->addWidget(new QLabel(tr("Position:")), 4, 0);
    grid->addWidget(m_runPosition, 4, 1);
    return page;
}

void FocuserWindow::attach(FocuserFrame& frame)
{
    m_frame = &frame;
    m_curveView = new FocusCurveView(frame.autoFocus(), m_autoFocusPage);
    static_cast<QGridLayout*>(m_autoFocusPage->layout())->addWidget(m_curveView, 5, 0, 1, 4);

    auto parameter = [this](int tag, int value) { m_frame->parameterAction(tag, value); };
    connect(m_samples, &QComboBox::currentIndexChanged, this, [this, parameter] {
        parameter(FocuserFrame::kSamplesTag, m_samples->currentData().toInt());
    });
    connect(m_images, &QComboBox::currentIndexChanged, this, [this, parameter] {
        parameter(FocuserFrame::kImagesTag, m_images->currentData().toInt());
    });
    EditingFinished::connect(m_steps, this,
            [this, parameter] { parameter(FocuserFrame::kStepsTag, m_steps->value()); });
    connect(m_startButton, &QPushButton::clicked, this, [this] {
        // The run takes the steps as they stand in the field.
        m_frame->autoFocus().setSteps(quint16(m_steps->value()));
        m_frame->autoFocus().curveAction(AutoFocusRun::kStartTag);
    });
    connect(m_bestButton, &QPushButton::clicked, this,
            [this] { m_frame->autoFocus().curveAction(AutoFocusRun::kBestFocusTag); });
}

void FocuserWindow::addTab(QWidget* page, const QString& title, int identifier)
{
    const int index = m_tabs->addTab(page, title);
    m_tabs->tabBar()->setTabData(index, identifier);
}

bool FocuserWindow::selectTab(int identifier)
{
    for (int index = 0; index < m_tabs->count(); ++index) {
        if (m_tabs->tabBar()->tabData(index).toInt() == identifier) {
            m_tabs->setCurrentIndex(index);
            return m_tabs->currentIndex() == index;
        }
    }
    return false;
}

int FocuserWindow::currentTab() const
{
    return m_tabs->tabBar()->tabData(m_tabs->currentIndex()).toInt();
}

void FocuserWindow::tabChanged(int index)
{
    const int identifier = m_tabs->tabBar()->tabData(index).toInt();
    if (m_frame && !m_frame->shouldSelectTab(identifier)) {
        const QSignalBlocker blocker(m_tabs);
        m_tabs->setCurrentIndex(m_lastTab);
        AlertPanel::beep();
        return;
    }
    m_lastTab = index;
}

void FocuserWindow::showStatus(const QString& text) { m_status->setText(text); }
void FocuserWindow::showPosition(const QString& text) { m_position->setText(text); }
void FocuserWindow::showTemperature(const QString& text) { m_temperature->setText(text); }
void FocuserWindow::showCriticalFocusZone(const QString& text) { m_zone->setText(text); }

void FocuserWindow::orderFront()
{
    QDialog::show();
    if (!m_isPlaced) {
        m_isPlaced = true;
        placeOnScreen();
    }
    WindowStacking::bringToFront(*this);
}

void FocuserWindow::placeOnScreen()
{
    ScreenPlacement::toLowerLeft(*this);
}

void FocuserWindow::showRunning(bool running)
{
    m_startButton->setText(running ? QStringLiteral("Abort") : QStringLiteral("Start"));
}

void FocuserWindow::showProgress(int percent) { m_progress->setValue(percent); }

void FocuserWindow::showFocusResult(quint16 bestFocus, float rms)
{
    m_bestFocus->setText(QString::asprintf("%.4d", int(bestFocus)));
    m_rms->setText(QString::asprintf("%.1f", double(rms)));
}

void FocuserWindow::showRunPosition(quint16 position)
{
    m_runPosition->setText(QString::asprintf("%.4d", int(position)));
}

void FocuserWindow::redrawCurve()
{
    if (m_curveView)
        m_curveView->update();
}

void FocuserWindow::keyPressEvent(QKeyEvent* event)
{
    if (m_frame && m_frame->keyAction(event->key()))
        return;
    QDialog::keyPressEvent(event);
}

void FocuserWindow::keyReleaseEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat() && m_frame && m_frame->keyUpAction(event->key()))
        return;
    QDialog::keyReleaseEvent(event);
}

