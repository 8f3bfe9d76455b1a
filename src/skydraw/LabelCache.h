#pragma once

#include "model/settings/TextAttributes.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLatin1StringView>
#include <QPoint>
#include <QRect>
#include <QStaticText>
#include <QString>

#include <cstdint>
#include <string>
#include <unordered_map>

class ChartCanvas;

// The labels of one kind (star names, grid labels …), each laid out once and
// kept between frames: drawing a label again costs neither a layout nor an
// allocation. A label is found by a key the layer chooses (a record index)
// and laid out anew when its text changed. Where a point is a pixel, a label
// is also kept as a picture of its text and copied onto whole pixels, which
// costs far less than setting its glyphs again.
class LabelCache {
public:
    // The font (its size in chart points) and colour of the labels; a new
    // font drops the layouts made with the old one.
    void setAttributes(const TextAttributes& attributes);
    // Makes the painter draw in this kind's font and colour.
    void apply(ChartCanvas& canvas) const;

    // Draws the text with its lower-left corner at the chart point, in the
    // font and colour that apply() set.
    void draw(ChartCanvas& canvas, QPointF lowerLeft, std::uint64_t key, QLatin1StringView text);
    void draw(ChartCanvas& canvas, QPointF lowerLeft, std::uint64_t key, const QString& text);

    // The chart draws its label fonts as many pixels high as they have points.
    static QFont chartFont(const QFont& font);

private:
    struct Label {
        QStaticText text;
        QImage picture;  // null until first drawn; only its inked part
        QPoint inkCorner;  // of that part in the whole picture, pixels
        // A Latin-1 text as it was given, held in the entry: the check for a
        // changed text then reads no other memory (thousands a frame).
        std::string latin1;
        bool isLatin1 = false;
    };
    static bool holds(const Label& label, QLatin1StringView text);
    static bool holds(const Label& label, const QString& text);
    static void remember(Label& label, QLatin1StringView text);
    static void remember(Label& label, const QString& text);
    template <class Text>
    Label& layout(std::uint64_t key, const Text& text);
    void draw(ChartCanvas& canvas, QPointF lowerLeft, Label& label);
    QImage pictureOf(const QStaticText& text) const;
    void dropPictures();

    static constexpr int kMargin = 2;  // pixels around a label's picture
    // Pictures kept at most, in bytes (every deep-sky name shown would take
    // more): labels beyond are set by the painter.
    static constexpr qsizetype kPictureBudget = 16 * 1024 * 1024;

    QFont m_font;
    QColor m_color;
    double m_ascent = 0.0;
    double m_textHeight = 0.0;
    std::unordered_map<std::uint64_t, Label> m_labels;
    qsizetype m_pictureBytes = 0;
};
