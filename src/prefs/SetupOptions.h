#pragma once

#include <QWidget>

#include <array>
#include <functional>

class PrefControl;
class PrefLocalization;
class QCheckBox;
class ValueSlider;

// The Setup tab's options: the nine switches (units, transparency,
// twilight, precession, the planner link, tool tips, the two horizons, the
// companion-app server) and the arrow and scroll speed.
class SetupOptions final : public QWidget {
    Q_OBJECT
public:
    // The checkbox tags, as the settings they write.
    enum Option {
        kMetric = 1, kTransparent, kTwilight, kPrecession, kAstroplanner, kToolTips,
        kCustomHorizon, kPhotoHorizon, kExtConnect, kOptionCount = kExtConnect
    };

    struct Links {
        std::function<void()> toolTipsControl;     // every panel's tips as the setting says
        std::function<void()> createHorizonAltAz;  // the current site's custom horizon
        std::function<void()> createPhotoAltAz;    // the photographic horizon's outline
    };

    SetupOptions(PrefControl& prefs, PrefLocalization& texts, QWidget* parent = nullptr);
    void setLinks(Links links) { m_links = std::move(links); }

    void setupDate();
    void optionsCheckboxAction(int tag, bool on);

    QCheckBox* box(Option tag) const { return m_boxes[size_t(tag - 1)]; }
    ValueSlider* arrowSpeedSlider() const { return m_arrowSpeed; }

private:
    PrefControl& m_prefs;
    Links m_links;
    std::array<QCheckBox*, kOptionCount> m_boxes{};
    ValueSlider* m_arrowSpeed;
};
