#include "chart/painting/LabelCache.h"

#include "chart/painting/ChartCanvas.h"

#include <QFontMetricsF>
#include <QPainter>

QFont LabelCache::chartFont(const QFont& font)
{
    QFont f = font;
    if (font.pointSizeF() > 0.0)
        f.setPixelSize(qMax(1, qRound(font.pointSizeF())));
    return f;
}

void LabelCache::setAttributes(const TextAttributes& attributes)
{
    const QFont font = chartFont(attributes.font);
    if (font != m_font || m_labels.empty()) {
        m_labels.clear();
        m_font = font;
        const QFontMetricsF metrics(m_font);
        m_textHeight = metrics.ascent() + metrics.descent();
    }
    m_color = attributes.color;
}

void LabelCache::apply(ChartCanvas& canvas) const
{
    canvas.painter().setFont(m_font);
    canvas.painter().setPen(m_color);
}

template <class Text>
const QStaticText& LabelCache::layout(std::uint64_t key, const Text& text)
{
    auto [it, added] = m_labels.try_emplace(key);
    QStaticText& label = it->second;
    if (added || label.text() != text) {
        label.setTextFormat(Qt::PlainText);
        label.setText(QString(text));
        label.prepare(QTransform(), m_font);
    }
    return label;
}

void LabelCache::draw(ChartCanvas& canvas, QPointF lowerLeft, std::uint64_t key,
                      QLatin1StringView text)
{
    canvas.drawLabel(lowerLeft, layout(key, text), m_textHeight);
}

void LabelCache::draw(ChartCanvas& canvas, QPointF lowerLeft, std::uint64_t key,
                      const QString& text)
{
    canvas.drawLabel(lowerLeft, layout(key, text), m_textHeight);
}
