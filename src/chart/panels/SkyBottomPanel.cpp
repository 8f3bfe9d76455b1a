#include "chart/panels/SkyBottomPanel.h"

#include "chart/ChartOutlets.h"
#include "chart/SkyView.h"
#include "chart/panels/GregorianReform.h"
#include "chart/panels/ReadoutText.h"
#include "find/panels/CalendarEvents.h"
#include "model/SkyDateModel.h"
#include "model/StarDatabaseModel.h"
#include "model/settings/PrefControl.h"
#include "mount/MountState.h"
#include "platform/AppTimeZone.h"
#include "platform/widgets/ScreenPlacement.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QHBoxLayout>
#include <QLocale>
#include <QProgressBar>
#include <QRegularExpression>

#include <cmath>

namespace {

constexpr int kFieldGap = 20;
constexpr int kRightMargin = 10;
// The level bar counts tenths of the twilight level.
constexpr double kLevelMin = -0.5;
constexpr double kLevelMax = 17.5;
constexpr int kLevelScale = 10;
constexpr int kLevelBarWidth = 80;

// Long date and the time with seconds, without a zone name, in the
// program's time zone.
QString formattedDate(const QDateTime& moment)
{
    const QLocale locale;
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QRegularExpression(QStringLiteral("\\s*t+")));
    const QDateTime local = moment.toTimeZone(AppTimeZone::zone());
    return locale.toString(local.date(), QLocale::LongFormat) + QLatin1Char(' ') +
           locale.toString(local.time(), timeFormat);
}

// What the level means, with the Sun's altitude it stands for.
QString twilightToolTip(double level)
{
    const char* phase = level >= kLevelMax ? "Daylight"
                        : level >= 12.0    ? "Civil twilight"
                        : level >= 6.0     ? "Nautical twilight"
                        : level >= 0.0     ? "Astronomical twilight"
                                           : "Night";
    QString text = QString::fromLatin1(phase);
    if (level > kLevelMin && level < kLevelMax)
        text += QStringLiteral(": Sun %1%2").arg(level - 18.0, 0, 'f', 1).arg(QChar(0x00B0));
    return text;
}

}  // namespace

SkyBottomPanel::SkyBottomPanel(PrefControl& prefs, SkyDateModel& skyDate, StarDatabaseModel& model,
                               SkyView& view, const ChartOutlets& outlets, std::function<double()> twilightLevel,
                               QWidget* parent)
    : QWidget(parent),
      m_prefs(prefs),
      m_skyDate(skyDate),
      m_model(model),
      m_view(view),
      m_outlets(outlets),
      m_twilightLevel(std::move(twilightLevel)),
      m_skyBottomBox(new QWidget(this)),
      m_dateTimeText(new QLabel(m_skyBottomBox)),
      m_twilight(new QProgressBar(this))
{
    for (QLabel*& field : m_skyBottomText) {
        field = new QLabel(m_skyBottomBox);
        field->hide();
    }
    m_twilight->setRange(int(kLevelMin * kLevelScale), int(kLevelMax * kLevelScale));
    m_twilight->setTextVisible(false);
    m_twilight->setFixedWidth(kLevelBarWidth);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(m_skyBottomBox, 1);
    layout->addWidget(m_twilight);
    setMinimumHeight(m_dateTimeText->sizeHint().height() + 4);
    m_cursorTimer.setInterval(kCursorIntervalMs);
    connect(&m_cursorTimer, &QTimer::timeout, this, &SkyBottomPanel::runCursorTimer);
}

void SkyBottomPanel::updateBottomPanel()
{
    if (m_outlets.scopeControl && m_outlets.scopeControl->isBlockPolling())
        return;
    updateTime();
    const int boxWidth = m_skyBottomBox->width();
    for (QLabel* field : m_skyBottomText)
        field->hide();
    int rightEnd = m_dateTimeText->x() + m_dateTimeText->width();
    bool showsCursor = false;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const int code = m_prefs.infoPanelValues(slot);
        if (code <= ReadoutText::Empty || code >= ReadoutText::CodeCount)
            continue;
        QLabel* field = m_skyBottomText[std::size_t(slot)];
        field->setText(readout(code));
        field->adjustSize();
        field->move(rightEnd + kFieldGap, 0);
        rightEnd = field->x() + field->width();
        // A field that would reach the edge is left out with all after it.
        if (rightEnd >= boxWidth - kRightMargin)
            return;
        field->show();
        showsCursor = showsCursor || code == ReadoutText::CursorRA || code == ReadoutText::CursorAlt;
    }
    if (!showsCursor) {
        m_isCursorTimer = false;
    } else if (!m_isCursorTimer) {
        m_isCursorTimer = true;
        m_cursorTimer.start();
    }
}

void SkyBottomPanel::updateTime()
{
    if (!m_skyDate.skyDate().isValid())
        m_skyDate.startupDate();
    const QDateTime& moment = m_skyDate.skyDate();
    m_dateTimeText->setText(isBeforeGregorianReform(moment) ? ReadoutText::calculateDateFromJD(m_skyDate.julianDay())
                                                            : formattedDate(moment));
    m_dateTimeText->adjustSize();
    m_dateTimeText->move(0, 0);
    if (CalendarEvents* events = m_outlets.calEventPanel; events && events->isPanelVisible())
        events->updateDateTime();
}

void SkyBottomPanel::updateTwilight()
{
    if (!m_twilightLevel)
        return;
    const double level = m_twilightLevel();
    if (!std::isfinite(level))
        return;
    m_twilight->setValue(int(std::lround(level * kLevelScale)));
    m_twilight->setToolTip(twilightToolTip(level));
}

void SkyBottomPanel::runCursorTimer()
{
    if (m_isCursorTimer)
        updateBottomPanel();
    else
        m_cursorTimer.stop();
}

void SkyBottomPanel::mousePosition()
{
    const QPointF local = m_view.mapFromGlobal(QCursor::pos());
    m_model.calculateCursorPosition({float(local.x()), float(m_view.height() - local.y())});
}

QString SkyBottomPanel::calcMouseRA()
{
    mousePosition();
    return ReadoutText::calcMouseRA(m_model.mouseRA(), m_model.mouseDec());
}

QString SkyBottomPanel::calcMouseAlt()
{
    mousePosition();
    return ReadoutText::calcMouseAlt(m_model.mouseAz(), m_model.mouseAlt());
}

QString SkyBottomPanel::readout(int code)
{
    switch (code) {
    case ReadoutText::View:
        return m_skyDate.AltAzAngleString();
    case ReadoutText::CursorRA:
        return calcMouseRA();
    case ReadoutText::CursorAlt:
        return calcMouseAlt();
    case ReadoutText::UT:
        return m_skyDate.GMTString();
    case ReadoutText::GST:
        return m_skyDate.gSiderialString();
    case ReadoutText::LST:
        return m_skyDate.lstString();
    case ReadoutText::JD:
        return m_skyDate.julianString();
    default:
        return m_skyDate.longLatString();
    }
}

void SkyBottomPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_view.hasLaunched())
        updateBottomPanel();
}

void SkyBottomPanel::contextMenuEvent(QContextMenuEvent* event)
{
    if (m_chooser) {
        m_chooser->move(event->globalPos());
        m_chooser->show();
        // Opened from the window's bottom-right corner, it would hang off the screen.
        ScreenPlacement::keepInside(*m_chooser);
        m_chooser->raise();
    }
}
