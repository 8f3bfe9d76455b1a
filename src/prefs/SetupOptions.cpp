#include "prefs/SetupOptions.h"

#include "model/settings/PrefControl.h"
#include "prefs/PrefLocalization.h"
#include "prefs/ShowChecked.h"
#include "prefs/ValueSlider.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>

namespace {

struct OptionText {
    const char* title;
    const char* tip;  // none for the switches without one
};

constexpr std::array<OptionText, SetupOptions::kOptionCount> kOptions{{
    {"Metric Units", "Select for metric units, unselect for imperial units"},
    {"Transparency", "Select for transparent control panels"},
    {"Twilight", "Select to show twilight/Daylight"},
    {"Precession", nullptr},
    {"AstroPlanner", "Select to talk with the Astroplanner application"},
    {"Tool Tips", "Select to show Tool tips"},
    {"Custom Horizon", "Select to use custom horizons for all sites"},
    {"Photo Horizon", "Select to display a photo horizon for the current site"},
    {"Companion App", nullptr},
}};

}  // namespace

SetupOptions::SetupOptions(PrefControl& prefs, PrefLocalization& texts, QWidget* parent)
    : QWidget(parent), m_prefs(prefs), m_arrowSpeed(new ValueSlider(1.0, 100.0, 1.0, this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* options = texts.label(new QGroupBox(this), "Options");
    auto* grid = new QGridLayout(options);
    for (int tag = 1; tag <= kOptionCount; ++tag) {
        const OptionText& text = kOptions[size_t(tag - 1)];
        auto* box = new QCheckBox(options);
        if (tag == kPrecession || tag == kExtConnect)
            box->setText(tr(text.title));
        else
            texts.label(box, text.title);
        if (text.tip)
            texts.tip(box, text.tip);
        connect(box, &QCheckBox::toggled, this, [this, tag](bool on) { optionsCheckboxAction(tag, on); });
        grid->addWidget(box, (tag - 1) / 3, (tag - 1) % 3);
        m_boxes[size_t(tag - 1)] = box;
    }
    layout->addWidget(options);

    auto* speed = texts.label(new QGroupBox(this), "Arrow/Scroll Speed");
    auto* speedRow = new QHBoxLayout(speed);
    speedRow->addWidget(texts.label(new QLabel(speed), "Slow"));
    speedRow->addWidget(m_arrowSpeed);
    speedRow->addWidget(texts.label(new QLabel(speed), "Fast"));
    connect(m_arrowSpeed, &ValueSlider::valueEdited, this, [this](double v) { m_prefs.setArrowSpeed(float(v)); });
    layout->addWidget(speed);
}

void SetupOptions::setupDate()
{
    showChecked(box(kMetric), m_prefs.isMetric());
    showChecked(box(kTransparent), m_prefs.isTransparent());
    showChecked(box(kTwilight), m_prefs.isAstroTwilight());
    showChecked(box(kPrecession), m_prefs.isPrecession());
    showChecked(box(kAstroplanner), m_prefs.isAstroplanner());
    showChecked(box(kToolTips), m_prefs.isToolTips());
    showChecked(box(kCustomHorizon), m_prefs.isCustomHorizon());
    showChecked(box(kPhotoHorizon), m_prefs.isPhotoHorizon());
    showChecked(box(kExtConnect), m_prefs.isExtConnect());
    m_arrowSpeed->setValue(m_prefs.arrowSpeed());
}

void SetupOptions::optionsCheckboxAction(int tag, bool on)
{
    switch (tag) {
    case kMetric:
        m_prefs.setIsMetric(on);
        break;
    case kTransparent:
        m_prefs.setIsTransparent(on);
        break;
    case kTwilight:
        m_prefs.setIsAstroTwilight(on);
        break;
    case kPrecession:
        m_prefs.setIsPrecession(on);
        break;
    case kAstroplanner:
        m_prefs.setIsAstroplanner(on);
        break;
    case kToolTips:
        m_prefs.setIsToolTips(on);
        if (m_links.toolTipsControl)
            m_links.toolTipsControl();
        break;
    case kCustomHorizon:
        m_prefs.setIsCustomHorizon(on);
        // The two horizons exclude each other.
        if (on) {
            if (m_links.createHorizonAltAz)
                m_links.createHorizonAltAz();
            showChecked(box(kPhotoHorizon), false);
            m_prefs.setIsPhotoHorizon(false);
        }
        break;
    case kPhotoHorizon:
        m_prefs.setIsPhotoHorizon(on);
        if (on) {
            if (m_links.createPhotoAltAz)
                m_links.createPhotoAltAz();
            showChecked(box(kCustomHorizon), false);
            m_prefs.setIsCustomHorizon(false);
        }
        break;
    case kExtConnect:
        m_prefs.setIsExtConnect(on);
        break;
    default:
        break;
    }
}
