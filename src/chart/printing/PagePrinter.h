#pragma once

#include <QRectF>

#include <functional>

class QPainter;

// The print settings every print of the File menu shares, their two panels,
// and one page printed on them.
class PagePrinter {
public:
    // The printable area of the paper in points, y upward from the paper's
    // lower left, inset; and the paper's height.
    struct Paper {
        QRectF page;
        double height = 0.0;
    };
    // Draws in points from the paper's top left.
    using Draw = std::function<void(QPainter&, const Paper&)>;

    virtual ~PagePrinter() = default;
    // The print panel; false when cancelled.
    virtual bool printPanel() = 0;
    // The page set-up panel; false when cancelled.
    virtual bool pageSetup() = 0;
    virtual void printPage(const Draw& draw) = 0;
};
