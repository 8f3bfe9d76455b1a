#include "camera/allsky/AllSkyDateText.h"

#include "platform/AppTimeZone.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTimeZone>

#include <cmath>

void AllSkyDateText::setup(const QFont& font, const QColor& color, const QDateTime& now)
{
    m_font = font;
    m_color = color;
    m_measuredText = text(now);
    m_box.reset();
}

QSize AllSkyDateText::measured() const
{
    if (!m_box) {
        const QFontMetricsF metrics(m_font);
        m_box = QSize(int(std::floor(metrics.horizontalAdvance(m_measuredText) + kInset)),
                      int(std::floor(2 * metrics.height())));
    }
    return *m_box;
}

QString AllSkyDateText::text(const QDateTime& now) const
{
    const QString format = m_isSec ? QStringLiteral("MM/dd/yyyy HH:mm:ss") : QStringLiteral("MM/dd/yyyy HH:mm");
    if (m_isUTC)
        return QStringLiteral("UTC: ") + now.toTimeZone(QTimeZone::utc()).toString(format);
    return now.toTimeZone(AppTimeZone::zone()).toString(format);
}

QPoint AllSkyDateText::textOrigin(int corner, int boxWidth, int boxHeight)
{
    const int right = kLayerWidth - kInset - boxWidth;
    const int top = kLayerHeight - boxHeight;
    switch (corner) {
    case 0: return {kInset, top};
    case 2: return {right, top};
    case 3: return {right, kInset};
    default: return {kInset, kInset};
    }
}

const QImage* AllSkyDateText::render(const QDateTime& now)
{
    if (!m_isText)
        return nullptr;
    if (m_layer.isNull()) {
        // Made with the first stamp: a program that stamps no image never holds it.
        if (m_measuredText.isEmpty())
            setup(m_font, m_color, now);
        m_layer = QImage(kLayerWidth, kLayerHeight, QImage::Format_ARGB32_Premultiplied);
    }
    m_layer.fill(Qt::transparent);
    QPainter painter(&m_layer);
    painter.setFont(m_font);
    painter.setPen(m_color);
    const QSize box = measured();
    const QPoint origin = textOrigin(m_corner, box.width(), box.height());
    // The layer's rows run from the top: its bottom-left origin flips.
    const QFontMetricsF metrics(m_font);
    painter.drawText(QPointF(origin.x(), kLayerHeight - origin.y() - metrics.descent()), text(now));
    return &m_layer;
}
