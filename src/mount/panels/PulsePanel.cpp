#include "mount/panels/PulsePanel.h"

#include "mount/links/PanelMount.h"
#include "mount/panels/RadioMatrix.h"
#include "mount/panels/TaggedPopUp.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

PulsePanel::PulsePanel(Links links, QWidget* parent) : HandPanel(links, parent) {}

void PulsePanel::buildControls(std::initializer_list<std::pair<int, const char*>> baudItems)
{
    QGroupBox* slew = addBox("Slew Control");
    addDirectionButtons(slew);
    auto* slewRow = new QHBoxLayout;
    panelLayout()->addLayout(slewRow);
    m_speed = addSpeedMatrix(slewRow, kSlewSpeedTag, true);
    connect(m_speed, &RadioMatrix::activated, this, [this](int tag) {
        if (isConnected())
            sendCode(tag);
    });
    addLockBox(slewRow);

    QGroupBox* focus = addBox("Focus Control");
    auto* focusLayout = new QVBoxLayout(focus);
    auto* focusRow = new QHBoxLayout;
    focusLayout->addLayout(focusRow);
    m_focusIn = addButton(focusRow, "In", kFocusIn);
    m_focusOut = addButton(focusRow, "Out", kFocusOut);
    m_focusStopButton = addButton(focusRow, "Stop", kFocusStop);
    for (QPushButton* button : {m_focusIn, m_focusOut}) {
        button->setCheckable(true);
        button->setParent(focus);
    }
    m_focusStopButton->setParent(focus);
    for (QPushButton* button : {m_focusIn, m_focusOut, m_focusStopButton}) {
        const int tag = button->property("tag").toInt();
        connect(button, &QPushButton::clicked, this, [this, tag] { focusAction(tag); });
    }
    m_focusSpeed = new RadioMatrix(kFocusSpeedTag, QString(),
                                   {{25, scopeText("Fast")}, {26, scopeText("Med")},
                                    {27, scopeText("Slow")}, {28, scopeText("Slowest")}},
                                   2, focus);
    focusLayout->addWidget(m_focusSpeed);
    connect(m_focusSpeed, &RadioMatrix::activated, this, [this](int tag) { focusAction(tag); });

    m_commands = new QVBoxLayout;
    panelLayout()->addLayout(m_commands);
    m_baud = addPopUp(kBaudTag, "Baud Rate", baudItems);
    addTip(m_baud, "Change the serial communication baud rate");
}

TaggedPopUp* PulsePanel::addPopUp(int tag, const char* title,
                                  std::initializer_list<std::pair<int, const char*>> items)
{
    auto* popUp = new TaggedPopUp(tag, scopeText(title), this);
    for (const auto& [itemTag, itemTitle] : items)
        popUp->addItem(itemTag, QString::fromUtf8(itemTitle));
    m_commands->addWidget(popUp);
    connect(popUp, &TaggedPopUp::chosen, this, [this, tag] {
        if (isConnected())
            commandAction(tag);
    });
    return popUp;
}

QPushButton* PulsePanel::addCommand(QBoxLayout* layout, const char* title, int tag, const char* tip)
{
    QPushButton* button = addButton(layout, title, tag);
    connect(button, &QPushButton::clicked, this, [this, tag] {
        if (isConnected())
            commandAction(tag);
    });
    addTip(button, tip);
    return button;
}

QPushButton* PulsePanel::focusButton(int tag) const
{
    switch (tag) {
    case kFocusIn: return m_focusIn;
    case kFocusOut: return m_focusOut;
    case kFocusStop: return m_focusStopButton;
    default: return nullptr;
    }
}

void PulsePanel::focusAction(int tag)
{
    if (!isConnected())
        return;
    QPushButton* button = focusButton(tag);
    int code = tag;
    if (button && !button->isChecked()) {
        // A focus button released, or the stop: both go off and focusing stops.
        m_focusIn->setChecked(false);
        m_focusOut->setChecked(false);
        code = kFocusStop;
    } else if (tag == kFocusIn) {
        m_focusOut->setChecked(false);
    } else if (tag == kFocusOut) {
        m_focusIn->setChecked(false);
    }
    sendCode(code);
}

void PulsePanel::lockedOff(int code)
{
    if (!isPulse()) {
        HandPanel::lockedOff(code);
        return;
    }
    setSlewButtonsOff();
    sendCode(kDirStop);
}

void PulsePanel::keySlew(int code)
{
    mount().slewLX200(code);
}

void PulsePanel::disableBaud()
{
    m_baud->setEnabled(false);
}

void PulsePanel::setSlewPulseMenu(QMenu* menu)
{
    for (int tag = kDirUp; tag <= kDirRight; ++tag) {
        QAbstractButton* button = directionButton(tag);
        button->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(button, &QWidget::customContextMenuRequested, menu,
                [menu, button](const QPoint& at) { menu->popup(button->mapToGlobal(at)); });
    }
}

void PulsePanel::addFocusTips()
{
    addTip(m_focusIn, "Focus in");
    addTip(m_focusOut, "Focus out");
    addTip(m_focusStopButton, "Stop focusing");
}
