#pragma once

#include "chart/painting/ChartFrame.h"

#include <QRectF>
#include <QString>

class ChartSkySource;
class PrefControl;
class QPainter;
class SkyDateModel;

// The chart on paper, one page in black on white: a header with the
// program's name and the chart's date, the chart laid into the page with
// the screen's proportions (clipped to a circle for the all-sky view), its
// frame, and a footer of six readouts in two columns.
//
// Page coordinates are points with the origin at the paper's lower left and
// y upward, as the chart's own.
class PrintSkyView {
public:
    struct Links {
        PrefControl& prefs;
        const SkyDateModel& skyDate;
        ChartFrame& frame;
        const ChartSkySource* source;  // may be null: the page then has no chart layers
    };
    // The print symbols come from `imagesDirectory` (ending in "/") at the
    // first page; one that does not load is left out of the page.
    PrintSkyView(const Links& links, QString imagesDirectory);

    void setPageRect(const QRectF& rect) { m_pageRect = rect; }
    QRectF pageRect() const { return m_pageRect; }

    // Paints the page; `paperHeight` is the paper's height in points and the
    // painter draws in points with y downward from the paper's top.
    void drawRect(QPainter& painter, double paperHeight);

    // The chart's rectangle on the page for a screen chart of `screen`, or
    // an empty one when the screen chart has no size.
    QRectF chartRect(const QRectF& screen) const;

private:
    PrefControl& m_prefs;
    const SkyDateModel& m_skyDate;
    ChartFrame& m_frame;
    const ChartSkySource* m_source;
    const ChartFrame::PrintSymbols& symbols();

    QString m_imagesDirectory;
    ChartFrame::PrintSymbols m_symbols;
    bool m_isSymbolsLoaded = false;
    QRectF m_pageRect;
};
