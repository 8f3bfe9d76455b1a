#pragma once

#include <QDialog>

#include <array>

class ChartDisplay;
class OpenGLView;
class PrefControl;
class QButtonGroup;
class QLabel;
class QSlider;

// The floating panel that fits each site's photographic panorama to the sky:
// brightness, direction and elevation offsets and the altitude band drawn.
// It edits the renderer's values for the site chosen in its site row (the
// current site when it is brought up) and redraws the chart after each
// change. The settings object stores the four per-site blocks whenever the
// panel closes or is hidden, and at quit.
class PhotoHorizonAdjustPanel final : public QDialog {
    Q_OBJECT
public:
    enum RadioTag { SiteRadio = 1, DegreeRadio };
    enum SliderTag { BrightSlider = 1, DirSlider, ElevSlider };

    PhotoHorizonAdjustPanel(PrefControl& prefs, OpenGLView& openGLView, ChartDisplay& skyView,
                            QWidget* parent = nullptr);

    // Loads the current site's values; sent before the panel is brought up.
    void updatePanel();
    // A site or an altitude band was chosen in the radio row `tag`.
    void photoHorizonRadio(int tag);
    // The slider `tag` moved.
    void photoHorizonSlider(int tag);

    // The elevation text shows this minus the stored offset.
    static constexpr double kElevationShown = 0.01;

    QButtonGroup& radio(int tag) { return *m_radios[std::size_t(tag - 1)]; }
    QSlider& slider(int tag) { return *m_sliders[std::size_t(tag - 1)]; }
    const QLabel& text(int tag) const { return *m_texts[std::size_t(tag - 1)]; }
    // The slider's value in the stored units.
    double sliderValue(int tag) const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void loadSite(int site);
    void setSlider(int tag, double value);
    void storeAdjustments();

    PrefControl& m_prefs;
    OpenGLView& m_openGLView;
    ChartDisplay& m_skyView;
    std::array<QButtonGroup*, 2> m_radios{};
    std::array<QSlider*, 3> m_sliders{};
    std::array<QLabel*, 3> m_texts{};
    bool m_isPlaced = false;
};
