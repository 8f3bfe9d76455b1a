#pragma once

#include "chart/printing/PagePrinter.h"

#include <memory>

class QWidget;

// Printing goes through Qt's print support, which only a print or a page
// set-up needs: the printer lives in a module loaded with the first of them
// (DeviceModule).
namespace PrintModule {

inline constexpr const char* kName = "norvane-printing";
inline constexpr const char* kCreatePrinter = "norvaneCreatePagePrinter";
// The panels are modal over `parent`.
using CreatePrinter = std::unique_ptr<PagePrinter>(QWidget* parent);

}  // namespace PrintModule
