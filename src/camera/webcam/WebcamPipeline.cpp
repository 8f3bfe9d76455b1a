#include "camera/webcam/WebcamPipeline.h"

#include "camera/image/ImageFilters.h"
#include "camera/webcam/CITextLayer.h"
#include "camera/webcam/FocusCurveRun.h"
#include "camera/webcam/WebcamGuideLink.h"
#include "camera/webcam/ZoomCrop.h"

#include <cmath>

namespace {

// Frames this wide or wider get the large grid.
constexpr int kLargeGridWidth = 1200;

bool isZero(QPointF point)
{
    return point.x() == 0 && point.y() == 0;
}

}  // namespace

const std::uint8_t* WebcamPipeline::focusBuff() const
{
    return m_hasFocusBuff ? m_focusBuff.data() : nullptr;
}

void WebcamPipeline::restart()
{
    m_hasSize = false;
    m_hasFocusImage = false;
    m_hasFocusBuff = false;
    m_hasStackBuff = false;
    m_controls.takeDarkFrame = false;
    m_controls.subDarkFrame = false;
    m_controls.addFrame = false;
}

std::optional<WebcamPipeline::Result> WebcamPipeline::process(const QImage& input)
{
    if (input.isNull() || input.width() == 0 || input.height() == 0) {
        if (!m_hasSize)
            m_width = m_height = 0;
        return std::nullopt;
    }
    Result result;
    // Frames may come in any 32-bit layout, or not 32-bit at all.
    const bool is32 = input.depth() == 32;
    const QImage frame = is32 ? input : input.convertToFormat(QImage::Format_RGB32);
    // A device may change its size mid-stream: every frame is checked.
    if (!m_hasSize || frame.width() != int(m_width) || frame.height() != int(m_height)) {
        const bool hadDark = m_hasDarkBuff;
        fixSize(frame);
        result.sizeFixed = true;
        result.darkDropped = hadDark && !m_hasDarkBuff;
    }

    if (m_guide && m_guide->isCalibrating() && m_hasFocusImage && !m_prev.isNull()) {
        result.image = m_prev;
        result.heldBack = true;
        return result;
    }

    if (m_controls.takeDarkFrame) {
        m_controls.takeDarkFrame = false;
        if (m_dark.size() != frame.size())
            m_dark = QImage(frame.size(), QImage::Format_RGB32);
        ImageFilters::copyRows(frame, m_dark);
        m_hasDarkBuff = true;
        result.darkTaken = true;
    }

    QImage& image = m_work[std::size_t(m_next)];
    m_next = 1 - m_next;
    if (image.size() != frame.size())
        image = QImage(frame.size(), QImage::Format_RGB32);
    ImageFilters::copyRows(frame, image);

    if (m_hasDarkBuff && m_controls.subDarkFrame)
        ImageFilters::difference(image, m_dark);
    if (m_controls.addFrame)
        stack(image);
    if (!m_controls.isFilterReset) {
        m_colour.setValues(m_controls.colour);
        m_colour.apply(image);
    }
    if (m_controls.isTime && !m_controls.isPause && m_textLayer) {
        const QImage& stamp = m_textLayer->renderText();
        ImageFilters::lighten(image, stamp, QPoint(0, image.height() - stamp.height()));
    }
    if (m_hasFocusBuff && (!m_hasFocusImage || guiderWantsFrames()))
        fillFocusBuffer(image);
    drawOverlays(image);

    const QRect crop = ZoomCrop::crop(m_width, m_height, m_controls.scaleValue, m_controls.isRecording,
                                      m_controls.scaleShiftX, m_controls.scaleShiftY);
    m_prev = crop.isEmpty() ? image : image.copy(crop);

    if (m_rate.frequency() == 0.0f || !(m_controls.isRecording && !m_controls.isFrameRec))
        result.rateSampled = m_rate.sample();
    result.image = m_prev;
    return result;
}

void WebcamPipeline::fixSize(const QImage& frame)
{
    m_width = float(frame.width());
    m_height = float(frame.height());
    m_hasSize = true;
    // A dark frame or stacked frames of another size would be misaligned.
    if (m_dark.size() != frame.size()) {
        m_hasDarkBuff = false;
        m_controls.subDarkFrame = false;
    }
    if (m_stack.count() > 0 && m_stack.at(0)->size() != frame.size()) {
        m_stack.clear();
        m_hasStackBuff = false;
    }
    m_focusBuff.assign(std::size_t(frame.width()) * std::size_t(frame.height()), 0);
    m_hasFocusBuff = true;
    m_hasFocusImage = false;
    if (m_guide)
        m_guide->setGuideBuff(true);
}

bool WebcamPipeline::guiderWantsFrames() const
{
    return m_guide && (m_guide->isGuiding() || m_guide->isCalibrating() || m_guide->isNewSkip());
}

void WebcamPipeline::stack(QImage& image)
{
    m_hasStackBuff = m_stack.push(image);
    if (!m_hasStackBuff || m_controls.numStack < 2)
        return;
    std::array<const QImage*, FrameStack::kSlots> others{};
    std::size_t n = 0;
    for (int k = 1; k < m_controls.numStack && k < FrameStack::kSlots; ++k)
        others[n++] = m_stack.at(k);
    ImageFilters::addition(image, std::span(others.data(), n));
}

void WebcamPipeline::fillFocusBuffer(const QImage& image)
{
    ImageFilters::grey(image, m_focusBuff);
    m_hasFocusImage = true;
    if (m_guide)
        m_guide->setIsNewSkip(false);
}

void WebcamPipeline::drawMark(QImage& image, const QImage& picture, QPointF centre) const
{
    const QPoint at(int(std::floor(centre.x())) - picture.width() / 2,
                    int(std::floor(centre.y())) - picture.height() / 2);
    ImageFilters::lighten(image, picture, at);
}

void WebcamPipeline::drawOverlays(QImage& image)
{
    const QPointF centre(m_width / 2, m_height / 2);
    if (m_controls.isMark)
        drawMark(image, m_overlays.marker, centre);
    if (m_controls.isGrid)
        drawMark(image, image.width() < kLargeGridWidth ? m_overlays.grid : m_overlays.grid1280, centre);
    if (m_guide) {
        const QRectF skip = m_guide->skipRect();
        if (skip.width() != 0)
            ImageFilters::lighten(image, m_overlays.hotPixelRect, QPoint(int(skip.x()), int(skip.y())));
    }
    if (m_guide && m_guide->isGuiding()) {
        const QPointF lock = m_guide->clickPt();
        if (!isZero(lock))
            drawMark(image, m_overlays.guideGrid, lock);
        return;
    }
    if (m_guide && m_guide->isCalibrating()) {
        const QPointF step = m_guide->calCurrentPt();
        if (!isZero(step))
            m_calPt = step;
        if (!isZero(m_calPt))
            drawMark(image, m_overlays.calMark, m_calPt);
        return;
    }
    for (const FocusCurveRun* focuser : m_focusers) {
        if (focuser && focuser->isCurveRun()) {
            if (!isZero(focuser->curvePt()))
                drawMark(image, m_overlays.calMark, focuser->curvePt());
            return;
        }
    }
}
