#pragma once

#include "scopeview/SVDiscPainter.h"
#include "scopeview/SVDrawPass.h"
#include "scopeview/SVLayerContext.h"

#include <QRectF>
#include <QString>

class PrefControl;
class QPainter;
class SkyDateModel;
class SVDrawer;
class SVView;

// The telescope view on paper, one page in black on white: the program's
// name and the sky date, the field square with the field circle that clips
// the layers, the screen view's layers drawn by the same pass in the print
// style (black discs for stars, print symbols and fonts, line-art discs),
// and the field's particulars under the square.
class PrintSVView {
public:
    // The print symbols come from `imagesDirectory` (ending in "/") at the
    // first page; one that does not load is left out of the page.
    PrintSVView(SVView& view, PrefControl& prefs, const SkyDateModel& skyDate, QString imagesDirectory);

    void setDrawer(const SVDrawer* drawer) { m_drawer = drawer; }

    // The field square's side for a printable rectangle: its width, or its
    // height less 100 on a landscape page.
    static double frameSide(const QRectF& page);

    // Paints the page into `page` (points, y downward).
    void printPage(QPainter& painter, const QRectF& page);

private:
    void drawField(QPainter& painter, const QRectF& frame, double scale);
    void drawParticulars(QPainter& painter, const QRectF& page, const QRectF& frame);

    SVView& m_view;
    PrefControl& m_prefs;
    const SkyDateModel& m_skyDate;
    const SVDrawer* m_drawer = nullptr;
    const SVLayerContext::PrintSymbols& symbols();

    QString m_imagesDirectory;
    SVLayerContext::PrintSymbols m_symbols;
    bool m_isSymbolsLoaded = false;
    SVDrawPass::LabelAttributes m_labelAttributes;
    SVDiscState m_discs;
};
