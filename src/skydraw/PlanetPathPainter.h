#pragma once

#include "skydraw/LabelCache.h"

#include <QDateTime>
#include <QPointF>

#include <functional>
#include <span>
#include <vector>

class ChartCanvas;
class PrefControl;
struct ChartSky;
struct PrintMapping;
struct planetPath;

// The path of the selected body: its 40 points joined where both ends were
// placed, a dot every fifth point and on the last, and dated labels that
// keep clear of one another. On paper the same in black.
class PlanetPathPainter {
public:
    // A dotted point and whether it is labelled.
    struct Dot {
        int point;
        QPointF at;
        bool isLabelled;
    };

    explicit PlanetPathPainter(const PrefControl& prefs) : m_prefs(prefs) {}

    void paint(ChartCanvas& canvas, const ChartSky& sky);
    void print(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping& mapping);

    // The dots of a path whose points land at `place`: every fifth point
    // and the end point, each labelled unless it lies within 48 points
    // across and under 10 points up or down of the last label.
    static std::vector<Dot> dots(std::span<const planetPath> points,
                                 const std::function<QPointF(const planetPath&)>& place);
    // The moment of point i: `skyDate` + (i − n) × s days, n and s from the
    // path settings as the path was computed.
    static QDateTime pointDate(const QDateTime& skyDate, int point, float pathDays, float pathPercent);
    // The label text: the time of day for paths of 1 day or less, else the
    // date; the end point always shows the date.
    static QString labelText(const QDateTime& moment, float pathDays, bool isEndPoint);

private:
    // Whether the selection the path was made for can still be drawn: a
    // comet or minor planet the tables no longer hold has none.
    bool isSelectionValid(const ChartSky& sky) const;
    void draw(ChartCanvas& canvas, const ChartSky& sky, const std::function<QPointF(const planetPath&)>& place,
              const QColor& color, QPointF labelOffset, LabelCache& labels);

    const PrefControl& m_prefs;
    LabelCache m_labels;
    LabelCache m_printLabels;
};
