#include "chart/printing/QtPagePrinter.h"

#include "platform/widgets/WindowStacking.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>

namespace {

// The printed page keeps this margin inside the printable area.
constexpr double kPageInset = 5.0;
constexpr double kPointsPerInch = 72.0;

PagePrinter::Paper paperOf(QPrinter& printer)
{
    printer.setFullPage(true);
    const QPageLayout layout = printer.pageLayout();
    const QRectF full = layout.fullRectPoints();
    const QRectF printable = layout.paintRectPoints();
    const QRectF up(printable.x(), full.height() - printable.bottom(), printable.width(), printable.height());
    return {up.adjusted(kPageInset, kPageInset, -kPageInset, -kPageInset), full.height()};
}

}  // namespace

bool QtPagePrinter::printPanel()
{
    QPrintDialog dialog(&m_printer, m_parent);
    return WindowStacking::execOnTop(dialog) == QDialog::Accepted;
}

bool QtPagePrinter::pageSetup()
{
    QPageSetupDialog dialog(&m_printer, m_parent);
    return WindowStacking::execOnTop(dialog) == QDialog::Accepted;
}

void QtPagePrinter::printPage(const Draw& draw)
{
    const Paper paper = paperOf(m_printer);
    QPainter painter(&m_printer);
    if (!painter.isActive())
        return;
    const double dotsPerPoint = m_printer.resolution() / kPointsPerInch;
    painter.scale(dotsPerPoint, dotsPerPoint);
    draw(painter, paper);
}
