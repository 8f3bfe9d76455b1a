#pragma once

#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class CustomFilter;
class PrefControl;
class PrefLocalization;
class RefusalNote;
class QCheckBox;
class QComboBox;
class QLineEdit;
class StarPreview;
class ValueSlider;

// The Filters tab: the star preview and star sliders, the star marks, the
// deep-sky lists, types and custom filter, the comets and minor planets and
// the path of a planet or comet. Each control writes its setting at once.
class FiltersTab final : public QWidget {
    Q_OBJECT
public:
    // starIdentAction tags.
    enum StarIdent { kDouble = 1, kAdvancedStar, kVariable, kPlanet, kAntiAlias, kGemini, kMeade, kNexStar };
    // filterCheckboxAction tags; 16 is the custom filter pop-up.
    enum Filter {
        kBest = 1, kAdvanced, kMessier, kOther, kCaldwell, kHerschel, kHerschelII, kArp,
        kOpen, kGlobular, kGalaxy, kNebula, kComets, kMP, kNEO, kCustomFilter,
        kDSOName, kDSOMessier, kDSONGC
    };
    enum Slider { kStarMag, kSVStarMag, kBright, kColor, kShift, kDeepSkyMag, kCometMag, kMPMag, kSliderCount };

    FiltersTab(PrefControl& prefs, CustomFilter& filter, PrefLocalization& texts, QWidget* parent = nullptr);
    // The folder the custom filter files are listed from.
    void setTourDirectory(std::function<QString()> folder) { m_tourDirectory = std::move(folder); }

    void setupDate();
    // Lists the filter files in the pop-up anew.
    void setupCustomFilters();
    void setupFilterObjects();

    void starIdentAction(int tag, bool on);
    void filterCheckboxAction(int tag, bool on);

    StarPreview* starPreview() const { return m_preview; }
    ValueSlider* slider(Slider which) const { return m_sliders[which]; }
    QCheckBox* identBox(StarIdent tag) const { return m_identBoxes[size_t(tag - 1)]; }
    QCheckBox* filterBox(Filter tag) const { return m_filterBoxes[size_t(tag - 1)]; }
    QComboBox* customFilterPopup() const { return m_customPopup; }
    QLineEdit* pathDaysField() const { return m_pathDays; }
    QLineEdit* pathPercentField() const { return m_pathPercent; }
    RefusalNote* pathNote() const { return m_note; }

private:
    QWidget* buildStars(PrefLocalization& texts);
    QWidget* buildIdentification(PrefLocalization& texts);
    QWidget* buildDeepSky(PrefLocalization& texts);
    QWidget* buildComets(PrefLocalization& texts);
    QWidget* buildPath(PrefLocalization& texts);
    // A path field's value from 0 to `most`, or nothing after a refusal naming `caption`.
    std::optional<float> pathValue(const QLineEdit* field, double most, const char* caption);
    ValueSlider* addSlider(Slider which, double minimum, double maximum, double step);
    QCheckBox* addFilterBox(Filter tag, QWidget* owner);
    void sliderAction(Slider which, double value);

    PrefControl& m_prefs;
    CustomFilter& m_filter;
    std::function<QString()> m_tourDirectory;
    StarPreview* m_preview;
    std::array<ValueSlider*, kSliderCount> m_sliders{};
    std::array<QCheckBox*, kNexStar> m_identBoxes{};
    std::array<QCheckBox*, kDSONGC> m_filterBoxes{};
    QComboBox* m_customPopup = nullptr;
    QLineEdit* m_pathDays = nullptr;
    QLineEdit* m_pathPercent = nullptr;
    RefusalNote* m_note = nullptr;
};
