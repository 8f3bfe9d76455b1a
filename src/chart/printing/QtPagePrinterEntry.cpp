// The entry of the printing module.
#include "chart/printing/PrintModule.h"
#include "chart/printing/QtPagePrinter.h"

extern "C" Q_DECL_EXPORT std::unique_ptr<PagePrinter> norvaneCreatePagePrinter(QWidget* parent)
{
    return std::make_unique<QtPagePrinter>(parent);
}
