#pragma once

#include "find/panels/ChartKeyboard.h"

#include <QWidget>

#include <functional>

class PrefControl;

// The floating panel of the object information and of the tour being built:
// it fades while the pointer is outside it, hands its keys to the chart and,
// closed while a tour is being built, asks what to do with the tour.
class PanelKeyControl : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kTourTitle = "Creating tour/filter";

    struct Links {
        ChartKeyboard chart;
        std::function<void()> setKillAlphaTimer;  // the information panels' fade timer
        // The file menu's question about the tour: true when the panel stays.
        std::function<bool()> handleTourClose;
    };

    PanelKeyControl(PrefControl& prefs, Links links, QWidget* parent = nullptr);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void mouseExited();

    PrefControl& m_prefs;
    Links m_links;
};
