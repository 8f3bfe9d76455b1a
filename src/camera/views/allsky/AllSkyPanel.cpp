#include "camera/views/allsky/AllSkyPanel.h"

#include "camera/allsky/AllSkySession.h"
#include "camera/sg4/SG4Control.h"
#include "camera/views/allsky/AllSkyDatePanel.h"
#include "camera/views/allsky/AllSkyImageView.h"
#include "platform/AppTimeZone.h"
#include "platform/widgets/FileChooser.h"
#include "platform/widgets/WindowStacking.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QSpinBox* spinBox(QWidget* parent, int maximum)
{
    auto* box = new QSpinBox(parent);
    box->setRange(0, maximum);
    return box;
}

QButtonGroup* radioRow(QWidget* parent, QHBoxLayout* layout, const QStringList& titles)
{
    auto* group = new QButtonGroup(parent);
    for (int i = 0; i < titles.size(); ++i) {
        auto* button = new QRadioButton(titles[i], parent);
        group->addButton(button, i);
        layout->addWidget(button);
    }
    group->button(0)->setChecked(true);
    return group;
}

QDateTimeEdit* datePicker(QWidget* parent, const QDateTime& date)
{
    // The field shows the program's wall clock, carried as UTC.
    auto* picker = new QDateTimeEdit(parent);
    picker->setTimeSpec(Qt::UTC);
    picker->setDateTime(AppTimeZone::wallClock(date));
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm"));
    return picker;
}

void setValueQuietly(QSpinBox* box, int value)
{
    const QSignalBlocker blocker(box);
    box->setValue(value);
}

void selectQuietly(QComboBox* popup, const QVariant& data)
{
    const QSignalBlocker blocker(popup);
    const int index = popup->findData(data);
    if (index >= 0)
        popup->setCurrentIndex(index);
}

}  // namespace

AllSkyPanel::AllSkyPanel(AllSkySession& session, AllSkyDatePanel& datePanel, DebugWriter debug, QWidget* parent)
    : DevicePanel(parent), m_session(session), m_datePanel(datePanel)
{
    setWindowTitle(QStringLiteral("AllSky"));
    m_view = new AllSkyImageView(session, std::move(debug), this);
    buildControls();
    connectSchedule();
}

void AllSkyPanel::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view);

    auto* exposure = new QHBoxLayout;
    m_expMinText = spinBox(this, 10);
    m_expSecText = spinBox(this, 59);
    m_expMSText = spinBox(this, 999);
    m_evSlider = new QSlider(Qt::Horizontal, this);
    m_evSlider->setRange(-40, 80);
    exposure->addWidget(new QLabel(QStringLiteral("Exposure min:s:ms"), this));
    exposure->addWidget(m_expMinText);
    exposure->addWidget(m_expSecText);
    exposure->addWidget(m_expMSText);
    exposure->addWidget(new QLabel(QStringLiteral("EV"), this));
    exposure->addWidget(m_evSlider);
    layout->addLayout(exposure);
    buildDeviceControls(layout);

    auto* scheduleBox = new QGroupBox(QStringLiteral("Schedule"), this);
    auto* grid = new QGridLayout(scheduleBox);
    m_expMin = spinBox(scheduleBox, 1440);
    m_expSec = spinBox(scheduleBox, 59);
    m_darkMin = spinBox(scheduleBox, 1440);
    m_heatOnMin = spinBox(scheduleBox, 1440);
    m_heatOffMin = spinBox(scheduleBox, 1440);
    grid->addWidget(new QLabel(QStringLiteral("Every min:s"), scheduleBox), 0, 0);
    grid->addWidget(m_expMin, 0, 1);
    grid->addWidget(m_expSec, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Dark every min"), scheduleBox), 1, 0);
    grid->addWidget(m_darkMin, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Heater on/off min"), scheduleBox), 2, 0);
    grid->addWidget(m_heatOnMin, 2, 1);
    grid->addWidget(m_heatOffMin, 2, 2);
    m_heaterCheckbox = new QCheckBox(QStringLiteral("Heater"), scheduleBox);
    m_heatText = new QLabel(QStringLiteral("Heat"), scheduleBox);
    grid->addWidget(m_heaterCheckbox, 3, 0);
    grid->addWidget(m_heatText, 3, 1);
    auto* kinds = new QHBoxLayout;
    m_scheduleRadio = radioRow(scheduleBox, kinds,
                               {QStringLiteral("Now"), QStringLiteral("Between dates"), QStringLiteral("Daily")});
    grid->addLayout(kinds, 4, 0, 1, 3);
    m_startPicker = datePicker(scheduleBox, m_session.schedule().startDate());
    m_stopPicker = datePicker(scheduleBox, m_session.schedule().stopDate());
    grid->addWidget(new QLabel(QStringLiteral("Start / stop"), scheduleBox), 5, 0);
    grid->addWidget(m_startPicker, 5, 1);
    grid->addWidget(m_stopPicker, 5, 2);
    m_runButton = new QPushButton(QStringLiteral("RUN"), scheduleBox);
    grid->addWidget(m_runButton, 6, 0);
    layout->addWidget(scheduleBox);

    auto* files = new QHBoxLayout;
    m_formatRadio = radioRow(this, files, {QStringLiteral("No file"), QStringLiteral("TIFF"), QStringLiteral("FITS")});
    m_nameButton = new QPushButton(QStringLiteral("File Name…"), this);
    m_dateButton = new QPushButton(QStringLiteral("Date Stamp…"), this);
    files->addWidget(m_nameButton);
    files->addWidget(m_dateButton);
    layout->addLayout(files);
    m_statusText = new QLabel(QStringLiteral(" "), this);
    layout->addWidget(m_statusText);
}

void AllSkyPanel::buildDeviceControls(QVBoxLayout* layout)
{
    m_exposeButton = new QPushButton(QStringLiteral("Expose"), this);
    m_focusCheckbox = new QCheckBox(QStringLiteral("Focus"), this);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 1);
    m_progress->setTextVisible(false);
    m_speedPopup = new QComboBox(this);
    for (std::size_t i = 0; i < SG4Protocol::kSpeeds.size(); ++i)
        m_speedPopup->addItem(QString::number(SG4Protocol::kSpeeds[i]), SG4Control::kItemFirstSpeed + int(i));
    m_typePopup = new QComboBox(this);
    m_typePopup->addItem(QStringLiteral("Light"), SG4Control::kItemLight);
    m_typePopup->addItem(QStringLiteral("Dark"), SG4Control::kItemDark);
    m_typePopup->addItem(QStringLiteral("Auto"), SG4Control::kItemAuto);
    m_readoutPopup = new QComboBox(this);
    const QStringList modes{QStringLiteral("1X1"), QStringLiteral("Crop"), QStringLiteral("2X2"),
                            QStringLiteral("Subframe")};
    for (int i = 0; i < modes.size(); ++i)
        m_readoutPopup->addItem(modes[i], SG4Control::kItemFirstMode + i);
    auto* row = new QHBoxLayout;
    row->addWidget(m_exposeButton);
    row->addWidget(m_focusCheckbox);
    row->addWidget(m_progress, 1);
    row->addWidget(m_speedPopup);
    row->addWidget(m_typePopup);
    row->addWidget(m_readoutPopup);
    layout->addLayout(row);

    connect(m_exposeButton, &QPushButton::clicked, this, &AllSkyPanel::exposeClicked);
    connect(m_focusCheckbox, &QCheckBox::toggled, this, &AllSkyPanel::focusToggled);
    connect(m_speedPopup, &QComboBox::activated, this,
            [this] { emit speedChosen(m_speedPopup->currentData().toInt()); });
    connect(m_typePopup, &QComboBox::activated, this,
            [this] { emit imageTypeChosen(m_typePopup->currentData().toInt()); });
    connect(m_readoutPopup, &QComboBox::activated, this,
            [this] { emit readoutChosen(m_readoutPopup->currentData().toInt()); });
}

SG4DevicePanel::ExposureFields AllSkyPanel::exposureFields() const
{
    return {m_expMinText->value(), m_expSecText->value(), double(m_expMSText->value())};
}

bool AllSkyPanel::isFocusChecked() const
{
    return m_focusCheckbox->isChecked();
}

void AllSkyPanel::setFocusChecked(bool on)
{
    const QSignalBlocker blocker(m_focusCheckbox);
    m_focusCheckbox->setChecked(on);
}

void AllSkyPanel::setExposeTitle(const QString& title)
{
    m_exposeButton->setText(title);
}

void AllSkyPanel::setStatus(const QString& text)
{
    m_statusText->setText(text);
}

void AllSkyPanel::setProgressRunning(bool running)
{
    // An empty range spins.
    m_progress->setRange(0, running ? 0 : 1);
}

void AllSkyPanel::selectSpeed(long baud)
{
    selectQuietly(m_speedPopup, m_speedPopup->itemData(m_speedPopup->findText(QString::number(baud))));
}

void AllSkyPanel::selectImageType(int itemTag)
{
    selectQuietly(m_typePopup, itemTag);
}

void AllSkyPanel::selectReadoutMode(int itemTag)
{
    selectQuietly(m_readoutPopup, itemTag);
}

void AllSkyPanel::setReadoutMenuEnabled(bool enabled)
{
    m_readoutPopup->setEnabled(enabled);
}

void AllSkyPanel::setDeviceTitle(const QString& title)
{
    setWindowTitle(title);
    emit deviceConnected();
}

void AllSkyPanel::redraw()
{
    update();
    m_view->update();
}

void AllSkyPanel::takeExposureTime()
{
    m_session.schedule().setExposureSeconds(float(m_expMinText->value() * 60 + m_expSecText->value())
                                            + float(m_expMSText->value()) / 1000.0F);
}

void AllSkyPanel::connectSchedule()
{
    AllSkySchedule& schedule = m_session.schedule();
    for (QSpinBox* box : {m_expMinText, m_expSecText, m_expMSText})
        connect(box, &QSpinBox::valueChanged, this, &AllSkyPanel::takeExposureTime);
    connect(m_evSlider, &QSlider::valueChanged, this, [this](int tenths) { m_session.setExpFilter(tenths / 10.0F); });
    const auto editExp = [this] { m_session.schedule().editExpSchedule(m_expMin->value(), m_expSec->value()); };
    connect(m_expMin, &QSpinBox::valueChanged, this, editExp);
    connect(m_expSec, &QSpinBox::valueChanged, this, editExp);
    connect(m_darkMin, &QSpinBox::valueChanged, &schedule, &AllSkySchedule::editDarkSchedule);
    connect(m_heatOnMin, &QSpinBox::valueChanged, &schedule, &AllSkySchedule::editHeatOnSchedule);
    connect(m_heatOffMin, &QSpinBox::valueChanged, &schedule, &AllSkySchedule::editHeatOffSchedule);
    connect(m_runButton, &QPushButton::clicked, &schedule, &AllSkySchedule::runAction);
    connect(m_heaterCheckbox, &QCheckBox::clicked, &schedule, &AllSkySchedule::heaterCheckbox);
    connect(m_scheduleRadio, &QButtonGroup::idClicked, this, [this](int id) {
        m_session.schedule().setKind(id == 1 ? AllSkySchedule::Kind::Once
                                     : id == 2 ? AllSkySchedule::Kind::Daily
                                               : AllSkySchedule::Kind::Immediate);
    });
    connect(m_startPicker, &QDateTimeEdit::dateTimeChanged, this,
            [this](const QDateTime& wall) { m_session.schedule().setStartDate(AppTimeZone::fromWallClock(wall)); });
    connect(m_stopPicker, &QDateTimeEdit::dateTimeChanged, this,
            [this](const QDateTime& wall) { m_session.schedule().setStopDate(AppTimeZone::fromWallClock(wall)); });
    connect(m_formatRadio, &QButtonGroup::idClicked, this,
            [this](int id) { m_session.setFileFormat(AllSkyFiles::Format(id + 1)); });
    connect(m_nameButton, &QPushButton::clicked, this, &AllSkyPanel::setAllSkyFileName);
    connect(m_dateButton, &QPushButton::clicked, this, [this] {
        m_datePanel.show();
        m_datePanel.raise();
    });

    connect(&schedule, &AllSkySchedule::runStateChanged, this,
            [this](bool running) { m_runButton->setText(running ? QStringLiteral("STOP") : QStringLiteral("RUN")); });
    connect(&schedule, &AllSkySchedule::statusChanged, m_statusText, &QLabel::setText);
    connect(&schedule, &AllSkySchedule::heatingChanged, this, &AllSkyPanel::showHeating);
    connect(&schedule, &AllSkySchedule::datesChanged, this, [this](const QDateTime& start, const QDateTime& stop) {
        const QSignalBlocker startBlocker(m_startPicker);
        const QSignalBlocker stopBlocker(m_stopPicker);
        m_startPicker->setDateTime(AppTimeZone::wallClock(start));
        m_stopPicker->setDateTime(AppTimeZone::wallClock(stop));
    });
    connect(&m_session, &AllSkySession::stampAllowedChanged, this, [this](bool allowed) {
        m_dateButton->setEnabled(allowed);
        if (!allowed)
            m_datePanel.setDateMovieCheckbox(false);
    });
    showHeating(false);
}

void AllSkyPanel::show() { WindowStacking::bringToFront(*this); }

void AllSkyPanel::showHeating(bool on)
{
    m_heatText->setStyleSheet(on ? QStringLiteral("color: red") : QStringLiteral("color: black"));
    m_heaterCheckbox->setChecked(on);
}

void AllSkyPanel::setExpSchedule(float seconds)
{
    m_session.schedule().setExpSchedule(seconds);
    const int minutes = int((seconds + 0.5F) / 60.0F);
    setValueQuietly(m_expMin, minutes);
    setValueQuietly(m_expSec, int(seconds - float(minutes * 60)));
}

void AllSkyPanel::setDarkSchedule(float seconds)
{
    m_session.schedule().setDarkSchedule(seconds);
    setValueQuietly(m_darkMin, int(seconds / 60.0F));
}

void AllSkyPanel::setHeatOnSchedule(float seconds)
{
    m_session.schedule().setHeatOnSchedule(seconds);
    setValueQuietly(m_heatOnMin, int((seconds + 0.5F) / 60.0F));
}

void AllSkyPanel::setHeatOffSchedule(float seconds)
{
    m_session.schedule().setHeatOffSchedule(seconds);
    setValueQuietly(m_heatOffMin, int((seconds + 0.5F) / 60.0F));
}

std::optional<QString> AllSkyPanel::askForName()
{
    QFileDialog dialog(this, QStringLiteral("AllSky File Name"), m_session.files().allSkyDirectory());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Enter the file name without an extension."));
    dialog.selectFile(QString::fromLatin1(AllSkyFiles::kDefaultName));
    if (!FileChooser::exec(dialog))
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

bool AllSkyPanel::setAllSkyFileName()
{
    const std::optional<QString> chosen = m_chooseName ? m_chooseName() : askForName();
    if (!chosen || chosen->isEmpty())
        return false;
    m_session.files().setPath(*chosen);
    return true;
}
