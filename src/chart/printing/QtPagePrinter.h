#pragma once

#include "chart/printing/PagePrinter.h"

#include <QPrinter>

class QWidget;

// The shared print settings as a high-resolution Qt printer, with Qt's
// print and page set-up panels.
class QtPagePrinter final : public PagePrinter {
public:
    explicit QtPagePrinter(QWidget* parent) : m_parent(parent), m_printer(QPrinter::HighResolution) {}

    bool printPanel() override;
    bool pageSetup() override;
    void printPage(const Draw& draw) override;

    // The settings themselves, where a panel would set them.
    QPrinter& printer() { return m_printer; }

private:
    QWidget* m_parent;
    QPrinter m_printer;
};
