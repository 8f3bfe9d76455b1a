#pragma once

#include "chart/ScopeViewControl.h"

class PrintSVView;
class SVWindow;

// The telescope view window, its view and its printed page as the chart's
// menus and toolbar drive them.
class SVControlLink final : public ScopeViewControl {
public:
    SVControlLink(SVWindow& window, PrintSVView& print) : m_window(window), m_print(print) {}

    void orderFront() override;
    void orderOut() override;
    bool isMiniaturized() const override;
    bool keepSVClosed() const override;
    void setKeepSVClosed(bool keepClosed) override;
    void setTitle(const QString& title) override;
    double trackRAPlus() const override;
    double trackDecPlus() const override;
    void resetDeltas() override;
    void setTrackRA(double ra, double dec) override;
    bool isDSSImage() const override;
    void printPage(QPainter& painter, const QRectF& page) override;

private:
    SVWindow& m_window;
    PrintSVView& m_print;
};
