#pragma once

#include "find/InfoStarSource.h"
#include "find/TrackView.h"
#include "mount/links/ScopeViewLink.h"
#include "scopeview/ScopeViewControl.h"

class PrintSVView;
class SVConeSearch;
class SVWindow;

// The telescope view as the rest of the program drives it: the finder's
// Track, the information panels, the chart's menus and toolbar (with the
// printed page) and the mount controller's position updates. All of them
// move the same window and the same view centre.
class SVControlLink final : public TrackView,
                            public InfoStarSource,
                            public ScopeViewControl,
                            public ScopeViewLink {
public:
    SVControlLink(SVWindow& window, PrintSVView& print, SVConeSearch* nomad = nullptr)
        : m_window(window), m_print(print), m_nomad(nomad)
    {
    }

    bool keepSVClosed() const override;
    void setKeepSVClosed(bool keepClosed) override;
    bool isWindowVisible() const override;
    bool isMiniaturized() const override;
    void setTitle(const QString& title) override;
    void setWindowTitle(const QString& title) override { setTitle(title); }
    void orderFront() override;
    void showInFront() override;
    void orderOut() override;
    void setTrackIndex(int index) override;
    void setTrackRA(double ra, double dec) override;
    void resetDeltas() override;
    void dropFieldImages() override;
    void display() override;
    void setNeedsDisplay() override { display(); }
    void setupDrawer() override;

    double trackRA() const override;
    double trackDec() const override;
    double fov() const override;
    double trackRAPlus() const override;
    double trackDecPlus() const override;
    bool isDSSImage() const override;
    void printPage(QPainter& painter, const QRectF& page) override;

    std::span<const ht2Star> ht2Stars() const override;
    // No cone search is kept by the view yet.
    std::span<const nomadData> nomadStars() const override { return {}; }

private:
    SVWindow& m_window;
    PrintSVView& m_print;
    SVConeSearch* m_nomad;
};
