#include "solarsystem/window/SSDrawView.h"

#include "platform/StringTables.h"

#include <QDateTimeEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace {

QString windowsText(const char* key) { return StringTables::localizedString("Windows", key); }

QSlider* slider(int minimum, int maximum, int altStep, QWidget* parent)
{
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setRange(minimum, maximum);
    s->setSingleStep(altStep);
    s->setPageStep(altStep * 10);
    return s;
}

}  // namespace

SSDrawView::SSDrawView(QWidget* parent) : QWidget(parent)
{
    dateText = new QGroupBox(windowsText("Date"), this);
    datePick = new QDateTimeEdit(dateText);
    // The picker shows universal time; the plot's readout shows the site's zone.
    datePick->setTimeSpec(Qt::UTC);
    datePick->setDisplayFormat("yyyy-MM-dd HH:mm:ss 'UT'");
    datePick->setCalendarPopup(true);
    auto* dateLayout = new QGridLayout(dateText);
    dateLayout->addWidget(datePick, 0, 0, 1, 2);
    for (std::size_t tag = 0; tag < kDaySteps.size(); ++tag) {
        const int days = kDaySteps[tag];
        dayButtons[tag] = {new QPushButton(QString("−%1").arg(days), dateText),
                           new QPushButton(QString("+%1").arg(days), dateText)};
        dateLayout->addWidget(dayButtons[tag][0], int(tag) + 1, 0);
        dateLayout->addWidget(dayButtons[tag][1], int(tag) + 1, 1);
    }

    perspectiveText = new QGroupBox(windowsText("Perspective"), this);
    zoomText = new QLabel(windowsText("Zoom"), perspectiveText);
    angleText = new QLabel(windowsText("Angle"), perspectiveText);
    rotateText = new QLabel(windowsText("Rotate"), perspectiveText);
    // The Option-key steps of the original sliders are their single steps:
    // zoom 0.1, tilt 0.5 degree, rotation 1 degree.
    ssZoomSlider = slider(int(0.1 * kZoomUnits), int(10 * kZoomUnits), int(0.1 * kZoomUnits), perspectiveText);
    ssAngleSlider = slider(0, int(180 * kDegreeUnits), int(0.5 * kDegreeUnits), perspectiveText);
    ssRotateSlider = slider(0, int(360 * kDegreeUnits), int(1.0 * kDegreeUnits), perspectiveText);
    auto* sliders = new QVBoxLayout(perspectiveText);
    for (QWidget* w : std::initializer_list<QWidget*>{zoomText, ssZoomSlider, angleText, ssAngleSlider,
                                                      rotateText, ssRotateSlider})
        sliders->addWidget(w);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(dateText);
    layout->addWidget(perspectiveText);
    layout->addStretch();
}
