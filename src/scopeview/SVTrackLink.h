#pragma once

#include "chart/ScopeViewControl.h"
#include "find/InfoStarSource.h"
#include "find/TrackView.h"

class SVConeSearch;
class SVWindow;

// The telescope view as the finder's Track, the information panels and the
// chart's menus and toolbar see it: the window, its view's centre, and the
// stars only the view holds.
class SVTrackLink final : public TrackView, public InfoStarSource, public ScopeViewControl {
public:
    explicit SVTrackLink(SVWindow& window, SVConeSearch* nomad = nullptr)
        : m_window(window), m_nomad(nomad)
    {
    }

    bool keepSVClosed() const override;
    bool isWindowVisible() const override;
    bool isMiniaturized() const override;
    void setTitle(const QString& title) override;
    void orderFront() override;
    void setTrackIndex(int index) override;
    void setTrackRA(double ra, double dec) override;
    void resetDeltas() override;
    void dropFieldImages() override;
    void display() override;

    void orderOut() override;
    void setKeepSVClosed(bool keepClosed) override;
    double trackRAPlus() const override;
    double trackDecPlus() const override;
    bool isDSSImage() const override;
    // The view as it shows on screen, as large as the page allows.
    void printPage(QPainter& painter, const QRectF& page) override;

    std::span<const ht2Star> ht2Stars() const override;
    // No cone search is kept by the view yet.
    std::span<const nomadData> nomadStars() const override { return {}; }

private:
    SVWindow& m_window;
    SVConeSearch* m_nomad;
};
