#pragma once

#include <QDateTime>
#include <QDockWidget>

class SSBodies;
class SSDrawView;
class SSView;
class SkyDateModel;

// The solar-system window's drawer: the window's own date, kept as a day
// offset from the sky date (`extraDays`), with its picker and day steps, and
// the sliders of the plot's zoom, tilt and rotation. Every change of the
// offset has the planetary pass recompute the plot longitudes; the sky date
// itself is never changed here.
class SSDrawer final : public QDockWidget {
    Q_OBJECT
public:
    // Slider tags of sliderControl.
    static constexpr int kZoomTag = 1;
    static constexpr int kAngleTag = 2;
    static constexpr int kRotateTag = 3;

    SSDrawer(const SkyDateModel& skyDateModel, SSBodies& bodies, SSView& ssView,
             QWidget* parent = nullptr);

    // The disclosure button: on syncs the picker, recomputes and opens; off closes.
    void controlDrawer(bool on);
    // Stores a slider's value (zoom, tilt-slider degrees or degrees) in the plot.
    void sliderControl(int tag, float value);
    // Tags 1 to 4 step 1, 5, 10 or 20 days: on when `value` is exactly 1, else back.
    void timeControl(int tag, double value);
    // The picked date becomes the offset.
    void datePickControl();
    // Adds days to the offset; the caller redraws.
    void scrollDate(double days);
    void updateSliders();
    void updatePositions();
    // The date picker and the positions follow the sky date (with the offset).
    void followSkyDate();
    void open();

    double extraDays() const { return m_extraDays; }
    QDateTime datePickValue() const;
    SSDrawView& drawView() { return *m_drawView; }

private:
    void syncDatePicker();
    void recompute();

    const SkyDateModel& m_skyDateModel;
    SSBodies& m_bodies;
    SSView& m_ssView;
    SSDrawView* m_drawView;
    double m_extraDays = 0.0;
};
