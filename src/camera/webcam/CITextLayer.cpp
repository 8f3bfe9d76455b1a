#include "camera/webcam/CITextLayer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTimeZone>

#include <cmath>

namespace {

constexpr int kInset = 10;
constexpr double kAlpha = 0.75;
constexpr int kPointSize = 10;

}  // namespace

CITextLayer::CITextLayer() : CITextLayer([] { return QDateTime::currentDateTimeUtc(); }) {}

CITextLayer::CITextLayer(Clock clock) : m_clock(std::move(clock))
{
    m_font.setStyleHint(QFont::SansSerif);
    m_font.setPointSize(kPointSize);
}

QImage& CITextLayer::image() const
{
    if (m_image.isNull()) {
        const QString sample = format(m_clock());
        const QFontMetricsF metrics(m_font);
        const int w = int(std::floor(metrics.horizontalAdvance(sample) + kInset));
        const int h = int(std::floor(2 * metrics.height()));
        m_image = QImage(w, h, QImage::Format_ARGB32_Premultiplied);
        m_image.fill(Qt::transparent);
    }
    return m_image;
}

QString CITextLayer::format(const QDateTime& moment)
{
    return moment.toTimeZone(QTimeZone::utc()).toString(QStringLiteral("MM/dd/yyyy HH:mm:ss.zzz"));
}

const QImage& CITextLayer::renderText()
{
    QImage& stamp = image();
    m_text = format(m_clock());
    stamp.fill(Qt::transparent);
    QPainter painter(&stamp);
    painter.setFont(m_font);
    QColor white(Qt::white);
    white.setAlphaF(kAlpha);
    painter.setPen(white);
    // The baseline 10 pixels above the bottom edge.
    painter.drawText(QPointF(kInset, stamp.height() - kInset), m_text);
    return stamp;
}
