#pragma once

#include "camera/image/ColorAdjust.h"
#include "camera/image/FocusImage.h"
#include "camera/webcam/FrameRate.h"
#include "camera/webcam/FrameStack.h"
#include "camera/webcam/OverlayPictures.h"

#include <QImage>

#include <array>
#include <optional>
#include <vector>

class CITextLayer;
class FocusCurveRun;
class WebcamGuideLink;

// What the webcam does to each frame before it is shown, in this order:
// fix the size (and the focus buffer) on the first frame, hold back frames
// while the guider calibrates on an untaken one, take or subtract the dark
// frame, stack, adjust the colours, stamp the time, refill the focus buffer,
// lay on the overlays, crop for the zoom and measure the frame rate. Runs on
// the main thread; the images it returns are the caller's to keep.
class WebcamPipeline final : public FocusImage {
public:
    // The user's choices, set by the panel's controls.
    struct Controls {
        ColorAdjust::Values colour;
        bool isFilterReset = true;  // skip the five adjustments
        float scaleValue = 1.0f;
        double scaleShiftX = 0;  // zoom pan, screen points
        double scaleShiftY = 0;
        bool isMark = false;
        bool isGrid = false;
        bool isTime = false;
        bool isPause = false;  // the movie-name dialog is up: no time stamp
        bool takeDarkFrame = false;
        bool subDarkFrame = false;
        bool addFrame = false;
        int numStack = 3;  // 2..5
        bool isRecording = false;
        bool isFrameRec = true;  // no movie frame in flight
    };

    struct Result {
        QImage image;
        bool sizeFixed = false;    // the size was (re)taken from this frame
        bool rateSampled = false;  // frequency() changed
        bool darkTaken = false;    // this frame became the dark frame
        bool darkDropped = false;  // a new size dropped the dark frame
        bool heldBack = false;     // the last frame again, while the guider calibrates
    };

    // The focuser windows whose curve runs are marked, asked in this order:
    // RoboFocus, Optec, JMI, MoonLite; a null one is skipped.
    using Focusers = std::array<FocusCurveRun*, 4>;

    WebcamPipeline() = default;
    explicit WebcamPipeline(FrameRate::Clock clock) : m_rate(std::move(clock)) {}

    void setGuide(WebcamGuideLink* guide) { m_guide = guide; }
    void setFocusers(const Focusers& focusers) { m_focusers = focusers; }
    void setTextLayer(CITextLayer* layer) { m_textLayer = layer; }
    void setOverlays(OverlayPictures overlays) { m_overlays = std::move(overlays); }

    Controls& controls() { return m_controls; }
    const Controls& controls() const { return m_controls; }

    // Nothing shown for `frame` (an empty one) gives no result.
    std::optional<Result> process(const QImage& frame);

    // After a connect or a device switch: the next frame fixes the size
    // again; dark subtraction and stacking are off.
    void restart();
    // Drops the dark frame (a new stack count, a new dark requested).
    void dropDark() { m_hasDarkBuff = false; }
    bool hasDarkBuff() const { return m_hasDarkBuff; }
    bool hasStackBuff() const { return m_hasStackBuff; }
    bool hasSize() const { return m_hasSize; }
    float frequency() const { return m_rate.frequency(); }
    // The last processed frame as shown.
    const QImage& prevImage() const { return m_prev; }

    // FocusImage.
    const std::uint8_t* focusBuff() const override;
    float width() const override { return m_width; }
    float height() const override { return m_height; }
    bool hasFocusImage() const override { return m_hasFocusImage; }
    void setHasFocusImage(bool fresh) override { m_hasFocusImage = fresh; }

private:
    void fixSize(const QImage& frame);
    bool guiderWantsFrames() const;
    void stack(QImage& image);
    void fillFocusBuffer(const QImage& image);
    void drawOverlays(QImage& image);
    void drawMark(QImage& image, const QImage& picture, QPointF centre) const;

    Controls m_controls;
    WebcamGuideLink* m_guide = nullptr;
    Focusers m_focusers{};
    CITextLayer* m_textLayer = nullptr;
    OverlayPictures m_overlays;
    ColorAdjust m_colour;
    FrameRate m_rate;
    FrameStack m_stack;

    bool m_hasSize = false;
    float m_width = 0;
    float m_height = 0;
    std::vector<std::uint8_t> m_focusBuff;
    bool m_hasFocusBuff = false;
    bool m_hasFocusImage = false;
    QImage m_dark;
    bool m_hasDarkBuff = false;
    bool m_hasStackBuff = false;
    // Two working frames in turn, so the one just shown (and perhaps still
    // being written to a movie) is not overwritten by the next.
    std::array<QImage, 2> m_work;
    int m_next = 0;
    QImage m_prev;
    QPointF m_calPt;
};
