#pragma once

#include <QString>
#include <QStringList>

// What the Canon panel shows and what the user last set in it. The
// controller writes the shown parts; the panel writes the control values
// (check marks, selected items, typed text) before it sends an action.
struct CanonPanelState {
    QString title;
    QString expButtonTitle = QStringLiteral("Expose");
    bool expButtonEnabled = true;
    bool recordEnabled = false;
    bool saveToCameraChecked = false;
    bool saveToMacChecked = false;
    bool fileFolderEnabled = false;
    bool movieFolderEnabled = false;
    bool movieFramesEnabled = false;
    bool movieQualityEnabled = false;
    QString fileFolderToolTip;
    QString movieFolderToolTip;
    QString recordTitle = QStringLiteral("Record");
    QString movieFramesText = QStringLiteral("0");  // the frame limit as typed
    int movieQualityRow = 0;                        // 0 normal, 1 maximum
    QString movieFPSText = QStringLiteral(" ");
    QStringList isoTitles;
    int isoSelected = 0;
    QStringList expTitles;
    int expSelected = 14;  // -1 when a number was typed
    QString expValue;      // the exposure box's text
    bool expComboEnabled = true;
    int numExpSelected = 0;
    int delaySelected = 0;
    bool focusChecked = false;
    bool focusEnabled = false;
    double focusExposure = 0;
    double saturation = 1.0;
    double whiteBalance = 52;  // the slider, in hundreds of kelvin
    bool gridChecked = false;
    QString expTakenText = QStringLiteral(" ");
    QString degKelvinText;
    double progress = 0;
    bool progressIndeterminate = false;
    bool progressAnimating = false;
    int batteryLevel = 0;  // 0 to 10
};
