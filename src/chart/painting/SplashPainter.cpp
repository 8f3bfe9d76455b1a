#include "chart/painting/SplashPainter.h"

#include "platform/widgets/ImageFile.h"
#include "skydraw/ChartCanvas.h"

#include <QPainterPath>

#include <array>
#include <utility>

namespace {

constexpr std::array<const char*, 4> kStageLabels = {
    "Initializing Database...",
    "Calculating Coordinates...",
    "Initializing Panels...",
    "Finishing Startup...",
};
constexpr double kLabelLeft = 20.0;
constexpr double kLabelBelowTop = 30.0;
const QColor kFrameColor = QColor::fromRgbF(2.0f / 3.0f, 2.0f / 3.0f, 2.0f / 3.0f);

}  // namespace

SplashPainter::SplashPainter(QString imagesDirectory) : m_imagesDirectory(std::move(imagesDirectory)) {}

QString SplashPainter::stageLabel(int stage)
{
    if (stage < 1 || stage > int(kStageLabels.size()))
        return {};
    return QString::fromLatin1(kStageLabels[std::size_t(stage - 1)]);
}

QSizeF SplashPainter::fittedSize(QSizeF image, QSizeF area)
{
    if (image.width() > area.width())
        return {area.width(), area.width() * image.height() / image.width()};
    if (image.height() > area.height())
        return {area.height() * image.width() / image.height(), area.height()};
    return image;
}

void SplashPainter::paint(ChartCanvas& canvas, const QRectF& rect, int launchCount,
                          const TextAttributes& labelAttributes)
{
    // The frame is one point wide, inside a rectangle a point taller than
    // the view at either end.
    const QRectF frame(rect.x(), rect.y() - 1.0, rect.width(), rect.height() + 2.0);
    QPainterPath outline;
    outline.addRect(frame);
    outline.addRect(frame.adjusted(1.0, 1.0, -1.0, -1.0));
    canvas.setAntialiasing(false);
    canvas.fillPath(outline, kFrameColor);

    if (!m_isLoaded) {
        m_image = ImageFile::image(m_imagesDirectory + QLatin1StringView("AntiqueMapComp.jpg"));
        m_isLoaded = true;
    }
    if (!m_image.isNull()) {
        const QSizeF size = fittedSize(m_image.size(), frame.size());
        const QPointF corner(frame.x() + frame.width() / 2.0 - size.width() / 2.0,
                             frame.y() + frame.height() / 2.0 - size.height() / 2.0);
        canvas.painter().setRenderHint(QPainter::SmoothPixmapTransform, true);
        canvas.drawImage(QRectF(corner, size), m_image);
    }

    const QString label = stageLabel(launchCount);
    if (label.isEmpty())
        return;
    m_label.setAttributes(labelAttributes);
    m_label.apply(canvas);
    m_label.draw(canvas, QPointF(kLabelLeft, frame.height() - kLabelBelowTop), std::uint64_t(launchCount), label);
}
