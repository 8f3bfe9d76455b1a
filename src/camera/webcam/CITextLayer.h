#pragma once

#include <QDateTime>
#include <QFont>
#include <QImage>
#include <QString>

#include <functional>

// The webcam's time stamp: the current UTC date and time with milliseconds,
// "MM/dd/yyyy HH:mm:ss.zzz", drawn in white at 75 % opacity 10 pixels in from
// the left and the bottom of a small transparent image, which the frame
// pipeline lays on the frame's lower-left corner. The image's size is fixed
// when first needed from the text then: its width plus 10, twice its height;
// every later text has the same width, its fields having fixed digits.
// (Measuring loads the font, which a start should not wait for.)
class CITextLayer {
public:
    using Clock = std::function<QDateTime()>;

    CITextLayer();
    explicit CITextLayer(Clock clock);

    // The stamp for now; the same image is redrawn on every call.
    const QImage& renderText();
    const QString& text() const { return m_text; }
    int width() const { return image().width(); }
    int height() const { return image().height(); }

    static QString format(const QDateTime& moment);

private:
    // The transparent image, sized the first time.
    QImage& image() const;

    Clock m_clock;
    QFont m_font;
    QString m_text;
    mutable QImage m_image;
};
