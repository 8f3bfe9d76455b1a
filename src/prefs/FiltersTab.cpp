#include "prefs/FiltersTab.h"

#include "model/settings/PrefControl.h"
#include "platform/widgets/EditingFinished.h"
#include "prefs/CustomFilter.h"
#include "prefs/PrefLocalization.h"
#include "platform/widgets/RefusalNote.h"
#include "prefs/ShowChecked.h"
#include "prefs/StarPreview.h"
#include "platform/TypedNumber.h"
#include "prefs/ValueSlider.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

using Getter = bool (PrefSwitches::*)() const;
using Setter = void (PrefSwitches::*)(bool);

struct Switch {
    const char* title;  // none for the titles the layout gives
    const char* tip;
    Getter get;
    Setter set;
};

// By starIdentAction tag, from 1.
constexpr std::array<Switch, FiltersTab::kNexStar> kIdent{{
    {"Double", "Identify the best double stars (D)", &PrefSwitches::isStarDouble, &PrefSwitches::setIsStarDouble},
    {"Advanced", "Identify advanced double stars (A)", &PrefSwitches::isStarAdvanced,
     &PrefSwitches::setIsStarAdvanced},
    {"Variable", "Identify variable stars (V)", &PrefSwitches::isStarVariable, &PrefSwitches::setIsStarVariable},
    {"Planet", "Identify stars with planets (P)", &PrefSwitches::isStarPlanet, &PrefSwitches::setIsStarPlanet},
    {nullptr, nullptr, &PrefSwitches::isStarAntiAlias, &PrefSwitches::setIsStarAntiAlias},
    {nullptr, "Identify the Gemini Bright Stars (G)", &PrefSwitches::isGeminiAC, &PrefSwitches::setIsGeminiAC},
    {nullptr, "Identify the Meade LX200 alignment stars (M)", &PrefSwitches::isMeadeAC,
     &PrefSwitches::setIsMeadeAC},
    {nullptr, "Identify the NexStar alignment stars (N)", &PrefSwitches::isNexStarAC, &PrefSwitches::setIsNexStarAC},
}};
constexpr std::array<const char*, 4> kLayoutIdentTitles{"Anti-alias", "Gemini (G)", "Meade LX200 (M)",
                                                        "NexStar (N)"};

// By filterCheckboxAction tag, from 1; tag 16 (the pop-up) has no entry's switch.
constexpr std::array<Switch, FiltersTab::kDSONGC> kFilters{{
    {"Best", "Show only the best deep sky objects", &PrefSwitches::showBest, &PrefSwitches::setShowBest},
    {"Advanced", "Show more difficult deep sky objects", &PrefSwitches::showAdvanced, &PrefSwitches::setShowAdvanced},
    {"Messier", "Show Messier deep sky objects", &PrefSwitches::showMessier, &PrefSwitches::setShowMessier},
    {"Other", "Select to show all deep sky objects not in any catalog", &PrefSwitches::showOther,
     &PrefSwitches::setShowOther},
    {"Caldwell 109", "Show objects in the Caldwell catalog", &PrefSwitches::showCaldwell,
     &PrefSwitches::setShowCaldwell},
    {"Herschel 400", "Show objects in the Herschel catalog", &PrefSwitches::showHerschel,
     &PrefSwitches::setShowHerschel},
    {"Herschel II", "Show objects in the Herschel II catalog", &PrefSwitches::showHerschelII,
     &PrefSwitches::setShowHerschelII},
    {"Arp 338", "Show objects in the Arp catalog", &PrefSwitches::showArp, &PrefSwitches::setShowArp},
    {"Open", "Show star open clusters", &PrefSwitches::showOpenCluster, &PrefSwitches::setShowOpenCluster},
    {"Globular", "Show star globular clusters", &PrefSwitches::showGlobularCluster,
     &PrefSwitches::setShowGlobularCluster},
    {"Galaxy", "Show galaxies", &PrefSwitches::showGalaxy, &PrefSwitches::setShowGalaxy},
    {"Nebula", "Show nebulas", &PrefSwitches::showNebula, &PrefSwitches::setShowNebula},
    {"Comets", "Show comets", &PrefSwitches::showComet, &PrefSwitches::setShowComet},
    {"MP", "Show minor planets", &PrefSwitches::showMP, &PrefSwitches::setShowMP},
    {"NEO", "Show NEOs (near earth objects)", &PrefSwitches::showNEO, &PrefSwitches::setShowNEO},
    {nullptr, nullptr, nullptr, nullptr},
    {nullptr, nullptr, &PrefSwitches::showDSOName, &PrefSwitches::setShowDSOName},
    {nullptr, nullptr, &PrefSwitches::showDSOMessier, &PrefSwitches::setShowDSOMessier},
    {nullptr, nullptr, &PrefSwitches::showDSONGC, &PrefSwitches::setShowDSONGC},
}};
constexpr std::array<const char*, 3> kLabelKindTitles{"Label: name", "Label: Messier", "Label: NGC"};

// The path's length in days and the share of it after the sky date, in percent.
constexpr double kMostPathDays = 100000.0;
constexpr double kMostPathPercent = 100.0;
constexpr char kRangeNote[] = "%1 takes a number from 0 to %2.";

}  // namespace

FiltersTab::FiltersTab(PrefControl& prefs, CustomFilter& filter, PrefLocalization& texts, QWidget* parent)
    : QWidget(parent), m_prefs(prefs), m_filter(filter), m_preview(new StarPreview(prefs, this))
{
    auto* layout = new QGridLayout(this);
    layout->addWidget(buildStars(texts), 0, 0);
    layout->addWidget(buildIdentification(texts), 0, 1);
    layout->addWidget(buildDeepSky(texts), 1, 0, 1, 2);
    layout->addWidget(buildComets(texts), 2, 0);
    layout->addWidget(buildPath(texts), 2, 1);
    layout->setRowStretch(3, 1);
}

ValueSlider* FiltersTab::addSlider(Slider which, double minimum, double maximum, double step)
{
    auto* slider = new ValueSlider(minimum, maximum, step, this);
    connect(slider, &ValueSlider::valueEdited, this, [this, which](double v) { sliderAction(which, v); });
    m_sliders[which] = slider;
    return slider;
}

QWidget* FiltersTab::buildStars(PrefLocalization& texts)
{
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    auto* preview = texts.label(new QGroupBox(box), "Star Preview");
    (new QHBoxLayout(preview))->addWidget(m_preview);
    column->addWidget(preview);

    auto* display = texts.label(new QGroupBox(box), "Star Display");
    auto* grid = new QGridLayout(display);
    struct Row {
        Slider which;
        const char* caption;
        const char* tip;
        double minimum, maximum, step;
    };
    static constexpr std::array<Row, 5> kRows{{
        {kStarMag, "Magnitude Limit", "Adjust star magnitude limit", -1.0, 16.0, 0.1},
        {kSVStarMag, "SV Magnitude Limit", "Adjust Scope View star magnitude limit", 0.0, 20.0, 0.1},
        {kBright, "Bright", "Adjust star brightness", 0.0, 2.0, 0.01},
        {kColor, "Color", "Adjust star color saturation", 0.0, 1.0, 0.01},
        {kShift, "Shift", "Shift star magnitude", -3.0, 3.0, 0.05},
    }};
    for (int row = 0; row < int(kRows.size()); ++row) {
        const Row& r = kRows[size_t(row)];
        grid->addWidget(texts.label(new QLabel(display), r.caption), row, 0);
        ValueSlider* slider = addSlider(r.which, r.minimum, r.maximum, r.step);
        texts.tip(slider, r.tip);
        grid->addWidget(slider, row, 1);
    }
    column->addWidget(display);
    return box;
}

QWidget* FiltersTab::buildIdentification(PrefLocalization& texts)
{
    auto* box = texts.label(new QGroupBox(this), "Star Identification");
    auto* grid = new QGridLayout(box);
    for (int tag = kDouble; tag <= kNexStar; ++tag) {
        const Switch& s = kIdent[size_t(tag - 1)];
        auto* check = new QCheckBox(box);
        if (s.title)
            texts.label(check, s.title);
        else
            check->setText(tr(kLayoutIdentTitles[size_t(tag - kAntiAlias)]));
        if (s.tip)
            texts.tip(check, s.tip);
        connect(check, &QCheckBox::toggled, this, [this, tag](bool on) { starIdentAction(tag, on); });
        grid->addWidget(check, (tag - 1) % 4, (tag - 1) / 4);
        m_identBoxes[size_t(tag - 1)] = check;
    }
    return box;
}

QCheckBox* FiltersTab::addFilterBox(Filter tag, QWidget* owner)
{
    const Switch& s = kFilters[size_t(tag - 1)];
    auto* check = new QCheckBox(owner);
    connect(check, &QCheckBox::toggled, this, [this, tag](bool on) { filterCheckboxAction(tag, on); });
    m_filterBoxes[size_t(tag - 1)] = check;
    if (!s.title)
        check->setText(tr(kLabelKindTitles[size_t(tag - kDSOName)]));
    return check;
}

QWidget* FiltersTab::buildDeepSky(PrefLocalization& texts)
{
    auto* box = texts.label(new QGroupBox(this), "Deep Sky");
    auto* grid = new QGridLayout(box);
    for (int tag = kBest; tag <= kNebula; ++tag) {
        QCheckBox* check = addFilterBox(Filter(tag), box);
        texts.label(check, kFilters[size_t(tag - 1)].title);
        texts.tip(check, kFilters[size_t(tag - 1)].tip);
        grid->addWidget(check, (tag - 1) / 4, (tag - 1) % 4);
    }
    for (int tag = kDSOName; tag <= kDSONGC; ++tag)
        grid->addWidget(addFilterBox(Filter(tag), box), 3, tag - kDSOName);

    m_customPopup = new QComboBox(box);
    texts.tip(m_customPopup, "Select a custom filter file");
    connect(m_customPopup, &QComboBox::activated, this,
            [this](int index) { filterCheckboxAction(kCustomFilter, index > 0); });
    grid->addWidget(m_customPopup, 3, 3);

    grid->addWidget(texts.label(new QLabel(box), "Magnitude Limit"), 4, 0);
    ValueSlider* magnitude = addSlider(kDeepSkyMag, 0.0, 20.0, 0.1);
    texts.tip(magnitude, "Adjust deep sky object magnitude limit");
    grid->addWidget(magnitude, 4, 1, 1, 3);
    return box;
}

QWidget* FiltersTab::buildComets(PrefLocalization& texts)
{
    auto* box = texts.label(new QGroupBox(this), "Comets and Minor Planets");
    auto* grid = new QGridLayout(box);
    for (int tag = kComets; tag <= kNEO; ++tag) {
        QCheckBox* check = addFilterBox(Filter(tag), box);
        texts.label(check, kFilters[size_t(tag - 1)].title);
        texts.tip(check, kFilters[size_t(tag - 1)].tip);
        grid->addWidget(check, 0, tag - kComets);
    }
    grid->addWidget(texts.label(new QLabel(box), "Magnitude Limit"), 1, 0);
    ValueSlider* chart = addSlider(kCometMag, 0.0, 24.0, 0.1);
    texts.tip(chart, "Adjust comet/minor planet sky display magnitude limit");
    grid->addWidget(chart, 1, 1, 1, 2);
    grid->addWidget(texts.label(new QLabel(box), "SV Magnitude Limit"), 2, 0);
    ValueSlider* scopeView = addSlider(kMPMag, 0.0, 24.0, 0.1);
    texts.tip(scopeView, "Adjust comet/minor planet scope view display magnitude limit");
    grid->addWidget(scopeView, 2, 1, 1, 2);
    return box;
}

QWidget* FiltersTab::buildPath(PrefLocalization& texts)
{
    auto* box = texts.label(new QGroupBox(this), "Planet and Comet Path");
    auto* grid = new QGridLayout(box);
    m_pathDays = new QLineEdit(box);
    m_pathPercent = new QLineEdit(box);
    m_note = new RefusalNote(box);
    texts.tip(m_pathDays, "Enter the total number of days to plot");
    texts.tip(m_pathPercent, "Enter the percent of the path that extends into the future");
    EditingFinished::connect(m_pathDays, this, [this] {
        if (const auto days = pathValue(m_pathDays, kMostPathDays, "Number of Days"))
            m_prefs.setPathDays(*days);
        m_pathDays->setText(QString::number(m_prefs.pathDays()));
    });
    EditingFinished::connect(m_pathPercent, this, [this] {
        if (const auto percent = pathValue(m_pathPercent, kMostPathPercent, "% of Path in Future"))
            m_prefs.setPathPercent(*percent);
        m_pathPercent->setText(QString::number(m_prefs.pathPercent()));
    });
    grid->addWidget(texts.label(new QLabel(box), "Number of Days"), 0, 0);
    grid->addWidget(m_pathDays, 0, 1);
    grid->addWidget(texts.label(new QLabel(box), "% of Path in Future"), 1, 0);
    grid->addWidget(m_pathPercent, 1, 1);
    grid->addWidget(m_note, 2, 0, 1, 2);
    return box;
}

std::optional<float> FiltersTab::pathValue(const QLineEdit* field, double most, const char* caption)
{
    const std::optional<double> value = TypedNumber::read(field->text());
    if (!value || *value < 0.0 || *value > most) {
        m_note->refuse(PrefLocalization::localized(kRangeNote)
                           .arg(PrefLocalization::localized(caption), QString::number(most)));
        return std::nullopt;
    }
    m_note->clearNote();
    return float(*value);
}

void FiltersTab::setupDate()
{
    m_sliders[kStarMag]->setValue(m_prefs.starMagLimit());
    m_sliders[kSVStarMag]->setValue(m_prefs.svStarMagLimit());
    m_sliders[kBright]->setValue(m_prefs.starBrightVal());
    m_sliders[kColor]->setValue(m_prefs.starColorVal());
    m_sliders[kShift]->setValue(m_prefs.starShiftVal());
    m_sliders[kDeepSkyMag]->setValue(m_prefs.deepSkyMagLimit());
    m_sliders[kCometMag]->setValue(m_prefs.cometMagLimit());
    m_sliders[kMPMag]->setValue(m_prefs.mpMagLimit());
    for (int tag = kDouble; tag <= kNexStar; ++tag)
        showChecked(identBox(StarIdent(tag)), (m_prefs.*kIdent[size_t(tag - 1)].get)());
    for (int tag = kBest; tag <= kDSONGC; ++tag) {
        if (tag != kCustomFilter)
            showChecked(filterBox(Filter(tag)), (m_prefs.*kFilters[size_t(tag - 1)].get)());
    }
    setupCustomFilters();
    setupFilterObjects();
    m_pathDays->setText(QString::number(m_prefs.pathDays()));
    m_pathPercent->setText(QString::number(m_prefs.pathPercent()));
    m_preview->createArrays();
    m_preview->recolorStarArrays();
    m_preview->update();
}

void FiltersTab::setupCustomFilters()
{
    m_filter.setupCustomFilters(m_tourDirectory ? m_tourDirectory() : QString());
    m_customPopup->clear();
    m_customPopup->addItem(PrefLocalization::localized(QStringLiteral("Custom Filter")));
    m_customPopup->addItems(m_filter.filterTitles());
    const int selected = m_prefs.customFilterIndex();
    m_customPopup->setCurrentIndex(selected >= 0 && selected < m_customPopup->count() ? selected : 0);
}

void FiltersTab::setupFilterObjects() { m_filter.setupFilterObjects(m_prefs.customFilterIndex()); }

void FiltersTab::starIdentAction(int tag, bool on)
{
    if (tag < kDouble || tag > kNexStar)
        return;
    (m_prefs.*kIdent[size_t(tag - 1)].set)(on);
    // One alignment-star catalogue is marked at a time.
    if (on && tag >= kGemini) {
        for (int other = kGemini; other <= kNexStar; ++other) {
            if (other == tag)
                continue;
            (m_prefs.*kIdent[size_t(other - 1)].set)(false);
            showChecked(identBox(StarIdent(other)), false);
        }
    }
}

void FiltersTab::filterCheckboxAction(int tag, bool on)
{
    if (tag == kCustomFilter) {
        m_prefs.setCustomFilterIndex(m_customPopup->currentIndex());
        setupFilterObjects();
        return;
    }
    if (tag >= kBest && tag <= kDSONGC)
        (m_prefs.*kFilters[size_t(tag - 1)].set)(on);
}

void FiltersTab::sliderAction(Slider which, double value)
{
    switch (which) {
    case kStarMag:
        m_prefs.setStarMagLimit(value);
        m_preview->setStarMagLimit(value);
        break;
    case kSVStarMag:
        m_prefs.setSVStarMagLimit(value);
        break;
    case kBright:
        m_prefs.setStarBrightVal(value);
        m_preview->setStarBright(value);
        break;
    case kColor:
        m_prefs.setStarColorVal(value);
        m_preview->setStarColor(value);
        m_preview->recolorStarArrays();
        break;
    case kShift:
        m_prefs.setStarShiftVal(value);
        m_preview->setStarShift(value);
        break;
    case kDeepSkyMag:
        m_prefs.setDeepSkyMagLimit(value);
        break;
    case kCometMag:
        m_prefs.setCometMagLimit(value);
        break;
    case kMPMag:
        m_prefs.setMPMagLimit(value);
        break;
    case kSliderCount:
        break;
    }
    m_preview->update();
}
