#pragma once

#include <QProxyStyle>

// The application's own style with a few of its standard icons made only
// when first drawn: the menu bar's and the tool bar's overflow arrows and the
// line edit's clear button. Qt reads those from image files, and its first
// such read loads every image-format plugin and their libraries, which a
// start then waits for though the icons rarely show. Everything else, and
// the icons themselves once drawn, are the base style's.
class DeferredIconStyle final : public QProxyStyle {
public:
    // Over the style the application uses; made after QApplication.
    DeferredIconStyle();

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;

    // Whether `icon` is one this style makes when first drawn.
    static bool isDeferred(StandardPixmap icon);
};
