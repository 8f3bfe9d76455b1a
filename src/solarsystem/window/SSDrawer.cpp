#include "solarsystem/window/SSDrawer.h"

#include "model/Angles.h"
#include "model/SkyDateModel.h"
#include "platform/AppTimeZone.h"
#include "solarsystem/window/SSBodies.h"
#include "solarsystem/window/SSDrawView.h"
#include "solarsystem/window/SSView.h"

#include <QDateTimeEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include <cmath>

namespace {

constexpr double kMsecsPerDay = 86400000.0;

}  // namespace

SSDrawer::SSDrawer(const SkyDateModel& skyDateModel, SSBodies& bodies, SSView& ssView, QWidget* parent)
    : QDockWidget(parent), m_skyDateModel(skyDateModel), m_bodies(bodies), m_ssView(ssView),
      m_drawView(new SSDrawView(this))
{
    setWidget(m_drawView);
    setFeatures(QDockWidget::NoDockWidgetFeatures);
    setTitleBarWidget(new QWidget(this));
    m_drawView->datePick->setDateTime(AppTimeZone::now());

    SSDrawView& v = *m_drawView;
    connect(v.datePick, &QDateTimeEdit::dateTimeChanged, this, [this] { datePickControl(); });
    for (std::size_t i = 0; i < v.dayButtons.size(); ++i) {
        const int tag = int(i) + 1;
        connect(v.dayButtons[i][0], &QPushButton::clicked, this, [this, tag] { timeControl(tag, 0.0); });
        connect(v.dayButtons[i][1], &QPushButton::clicked, this, [this, tag] { timeControl(tag, 1.0); });
    }
    connect(v.ssZoomSlider, &QSlider::valueChanged, this,
            [this](int value) { sliderControl(kZoomTag, float(value / SSDrawView::kZoomUnits)); });
    connect(v.ssAngleSlider, &QSlider::valueChanged, this,
            [this](int value) { sliderControl(kAngleTag, float(value / SSDrawView::kDegreeUnits)); });
    connect(v.ssRotateSlider, &QSlider::valueChanged, this,
            [this](int value) { sliderControl(kRotateTag, float(value / SSDrawView::kDegreeUnits)); });
    updateSliders();
}

void SSDrawer::controlDrawer(bool on)
{
    if (on) {
        followSkyDate();
        show();
    } else {
        hide();
    }
    if (parentWidget())
        parentWidget()->update();
}

void SSDrawer::sliderControl(int tag, float value)
{
    switch (tag) {
    case kZoomTag: m_ssView.setZoom(value); break;
    case kAngleTag: m_ssView.setAngle(value); break;
    case kRotateTag: m_ssView.setRotate(value); break;
    default: return;
    }
    m_ssView.updateBottomPanel();
    m_ssView.update();
}

void SSDrawer::timeControl(int tag, double value)
{
    if (tag < 1 || tag > int(SSDrawView::kDaySteps.size()))
        return;
    const int days = SSDrawView::kDaySteps[std::size_t(tag - 1)];
    m_extraDays += value == 1.0 ? days : -days;
    syncDatePicker();
    recompute();
    m_ssView.updateBottomPanel();
    m_ssView.update();
}

void SSDrawer::datePickControl()
{
    m_extraDays = m_skyDateModel.skyDate().msecsTo(datePickValue()) / kMsecsPerDay;
    recompute();
    m_ssView.update();
}

void SSDrawer::scrollDate(double days)
{
    m_extraDays += days;
    syncDatePicker();
    recompute();
}

void SSDrawer::updateSliders()
{
    SSDrawView& v = *m_drawView;
    const QSignalBlocker zoom(v.ssZoomSlider);
    const QSignalBlocker angle(v.ssAngleSlider);
    const QSignalBlocker rotate(v.ssRotateSlider);
    v.ssZoomSlider->setValue(int(std::lround(m_ssView.zoom() * SSDrawView::kZoomUnits)));
    v.ssAngleSlider->setValue(
        int(std::lround((m_ssView.angle() * Angles::kRadToDeg + 90.0) * SSDrawView::kDegreeUnits)));
    v.ssRotateSlider->setValue(
        int(std::lround(m_ssView.rotate() * Angles::kRadToDeg * SSDrawView::kDegreeUnits)));
}

void SSDrawer::updatePositions() { recompute(); }

void SSDrawer::followSkyDate()
{
    syncDatePicker();
    recompute();
}

void SSDrawer::open()
{
    if (!isVisible())
        show();
}

QDateTime SSDrawer::datePickValue() const { return m_drawView->datePick->dateTime(); }

void SSDrawer::syncDatePicker()
{
    const QSignalBlocker blocker(m_drawView->datePick);
    const QDateTime date = m_skyDateModel.skyDate().addMSecs(qint64(std::llround(m_extraDays * kMsecsPerDay)));
    m_drawView->datePick->setDateTime(date.toUTC());
}

void SSDrawer::recompute() { m_bodies.calculatePlanetPositions(m_extraDays); }
