#pragma once

#include "platform/widgets/ToolTipOwner.h"

#include <QWidget>

#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSlider;

// The controls of the telescope view's drawer: telescope, eyepiece rows and
// power, survey image and cone search. The drawer (SVDrawer) fills and reads them.
class SVDrawView final : public QWidget, public ToolTipOwner {
    Q_OBJECT
public:
    static constexpr int kEyeRows = 10;
    static constexpr int kSurveyChoices = 13;
    // The slider holds hundredths of its value, 10 x log2(power).
    static constexpr int kSliderScale = 100;

    explicit SVDrawView(QWidget* parent = nullptr);

    void setToolTips() override;
    void clearToolTips() override;

    // Leaves no eyepiece row selected.
    void clearEyeSelection();
    // The row selected, -1 for none.
    int selectedEyeRow() const;
    // The slider's position for a power, and the power of a position.
    static int sliderPosition(double power);
    static double powerAt(int position);

    QComboBox* scopeHelp = nullptr;  // telescope pop-up
    QGroupBox* powerText = nullptr;  // the eyepiece rows and the power slider
    std::array<QRadioButton*, kEyeRows> eyeRows{};
    QButtonGroup* svEyeRadio = nullptr;
    QSlider* svPowerSlider = nullptr;
    QComboBox* serverHelp = nullptr;  // survey pop-up
    QPushButton* downloadText = nullptr;  // survey Download/Cancel
    QProgressBar* svDSSProgress = nullptr;
    QCheckBox* cacheText = nullptr;  // survey image cache
    // The cone-search controls, by their tags 1 to 6.
    QComboBox* nomadMagPopup = nullptr;
    QPushButton* nomadDownloadButton = nullptr;
    QCheckBox* nomadShowMagCheckbox = nullptr;
    QCheckBox* nomadCacheCheckbox = nullptr;
    QCheckBox* nomadStarChecboxk = nullptr;
    QCheckBox* nomadGridCheckbox = nullptr;
};
