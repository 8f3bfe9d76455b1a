#pragma once

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

#include <optional>

// The all-sky date stamp: the moment of drawing in the chosen font and
// colour, in one of four corners of a transparent 640 x 480 layer that the
// image view lays over the picture with a lighten blend.
class AllSkyDateText {
public:
    static constexpr int kLayerWidth = 640;
    static constexpr int kLayerHeight = 480;
    static constexpr int kInset = 10;

    // The font, colour and box, measured on `now` in the chosen format:
    // width floor(text width + 10), height floor(2 x text height). The box
    // is measured when first needed: measuring loads the font, which a
    // start that stamps nothing should not wait for.
    void setup(const QFont& font, const QColor& color, const QDateTime& now);
    // The layer with `now` drawn in it; none while the stamp is off.
    const QImage* render(const QDateTime& now);

    // "UTC: MM/dd/yyyy HH:mm:ss" and its local and seconds-free variants.
    QString text(const QDateTime& now) const;
    // Bottom-left corner of the text, with the layer's origin at its bottom
    // left: 0 top left, 1 bottom left, 2 top right, 3 bottom right.
    static QPoint textOrigin(int corner, int boxWidth, int boxHeight);

    void setIsText(bool on) { m_isText = on; }
    bool isText() const { return m_isText; }
    void setIsUTC(bool on) { m_isUTC = on; }
    bool isUTC() const { return m_isUTC; }
    void setIsSec(bool on) { m_isSec = on; }
    bool isSec() const { return m_isSec; }
    void setCorner(int corner) { m_corner = corner; }
    int corner() const { return m_corner; }
    int boxWidth() const { return measured().width(); }
    int boxHeight() const { return measured().height(); }

private:
    QFont m_font;
    QColor m_color = QColor(255, 255, 255, 191);
    QImage m_layer;
    QSize measured() const;

    // The text the box is measured on, and the box once measured.
    QString m_measuredText;
    mutable std::optional<QSize> m_box;
    int m_corner = 1;
    bool m_isText = false;
    bool m_isUTC = true;
    bool m_isSec = true;
};
