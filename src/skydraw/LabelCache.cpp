#include "skydraw/LabelCache.h"

#include "skydraw/ChartCanvas.h"
#include "skydraw/InkBounds.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>
#include <string_view>

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
        m_ascent = metrics.ascent();
        m_textHeight = m_ascent + metrics.descent();
        m_pictureBytes = 0;
    } else if (attributes.color != m_color) {
        dropPictures();
    }
    m_color = attributes.color;
}

void LabelCache::dropPictures()
{
    for (auto& [key, label] : m_labels)
        label.picture = QImage();
    m_pictureBytes = 0;
}

void LabelCache::apply(ChartCanvas& canvas) const
{
    canvas.painter().setFont(m_font);
    canvas.painter().setPen(m_color);
}

bool LabelCache::holds(const Label& label, QLatin1StringView text)
{
    return label.isLatin1 && std::string_view(label.latin1) == std::string_view(text.data(), std::size_t(text.size()));
}

bool LabelCache::holds(const Label& label, const QString& text)
{
    return !label.isLatin1 && label.text.text() == text;
}

void LabelCache::remember(Label& label, QLatin1StringView text)
{
    label.latin1.assign(text.data(), std::size_t(text.size()));
    label.isLatin1 = true;
}

void LabelCache::remember(Label& label, const QString&)
{
    label.latin1.clear();
    label.isLatin1 = false;
}

template <class Text>
LabelCache::Label& LabelCache::layout(std::uint64_t key, const Text& text)
{
    auto [it, added] = m_labels.try_emplace(key);
    Label& label = it->second;
    if (added || !holds(label, text)) {
        remember(label, text);
        label.text.setTextFormat(Qt::PlainText);
        label.text.setText(QString(text));
        label.text.prepare(QTransform(), m_font);
        m_pictureBytes -= label.picture.sizeInBytes();
        label.picture = QImage();
    }
    return label;
}

void LabelCache::draw(ChartCanvas& canvas, QPointF lowerLeft, Label& label)
{
    if (canvas.isPixelForPoint()) {
        if (label.picture.isNull() && m_pictureBytes < kPictureBudget) {
            // Only the inked part is kept: a label is mostly clear, and thousands are blended a frame.
            const QImage whole = pictureOf(label.text);
            const QRect inked = InkBounds::of(whole);
            const QRect ink = inked.isEmpty() ? QRect(0, 0, 1, 1) : inked;
            label.picture = whole.copy(ink);
            label.inkCorner = ink.topLeft();
            m_pictureBytes += label.picture.sizeInBytes();
        }
        if (!label.picture.isNull()) {
            // The painter sets text on a whole-pixel baseline: so does the
            // picture, and its baseline goes where the painter's would.
            const double top = canvas.toDevice(lowerLeft).y() - m_textHeight;
            const double baseline = std::floor(top + m_ascent + 0.5);
            const double inkTop = baseline - std::floor(kMargin + m_ascent + 0.5) + label.inkCorner.y();
            canvas.drawImageOnPixels(
                QPointF(lowerLeft.x() - kMargin + label.inkCorner.x(), canvas.height() - inkTop - label.picture.height()),
                label.picture);
            return;
        }
    }
    canvas.drawLabel(lowerLeft, label.text, m_textHeight);
}

QImage LabelCache::pictureOf(const QStaticText& text) const
{
    // A margin for glyphs that reach beyond their advance.
    const QSizeF size = text.size();
    QImage picture(int(std::ceil(size.width())) + 2 * kMargin, int(std::ceil(m_textHeight)) + 2 * kMargin,
                   QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setFont(m_font);
    painter.setPen(m_color);
    painter.drawStaticText(QPointF(kMargin, kMargin), text);
    return picture;
}

void LabelCache::draw(ChartCanvas& canvas, QPointF lowerLeft, std::uint64_t key, QLatin1StringView text)
{
    draw(canvas, lowerLeft, layout(key, text));
}

void LabelCache::draw(ChartCanvas& canvas, QPointF lowerLeft, std::uint64_t key, const QString& text)
{
    draw(canvas, lowerLeft, layout(key, text));
}
