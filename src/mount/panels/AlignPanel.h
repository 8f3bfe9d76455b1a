#pragma once

#include "find/AlignmentDelta.h"
#include "mount/PolarAlignment.h"
#include "mount/links/ConnectMenuLinks.h"
#include "platform/widgets/HidesOnDeactivate.h"
#include "platform/widgets/InactiveHider.h"

#include <QDialog>

#include <functional>

class PrefControl;
class QLabel;
class ScopeControl;
class SkyDateModel;

// The polar-alignment assistant: the user records a first and a second star
// (each the object last tracked), then with the mount on the second star
// the panel reads the mount, solves the polar axis's azimuth and altitude
// errors, shows them and arms the finder so that the next Track adds the
// offset those errors give.
class AlignPanel : public QDialog, public AlignmentDelta, public MenuPanel, public HidesOnDeactivate {
    Q_OBJECT
public:
    static constexpr int kStep3 = 3;
    static constexpr int kStep4 = 4;
    static constexpr int kStep5 = 5;

    // What the panel asks of the finder.
    struct Finder {
        std::function<PolarAlignment::Star()> trackPosition;  // radians of date
        std::function<void(bool)> setIsAlignAdjust;
    };

    AlignPanel(PrefControl& prefs, ScopeControl& scope, SkyDateModel& skyDate, Finder finder,
               QWidget* parent = nullptr);

    void alignButtonAction(int tag);
    bool calcData();
    bool calcDelta() override;
    double dRA() const override { return m_dRA; }
    double dDec() const override { return m_dDec; }
    void calcRAString(double ra, double dec);

    QString azErrorText() const;
    QString altErrorText() const;
    bool isCheckMarkShown(int step) const;

    bool isVisible() const override { return QDialog::isVisible(); }
    void show() override;
    void hide() override { QDialog::hide(); }
    void setHide(bool hide) override { m_inactiveHider.setHides(hide); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void getSiteData();
    // The mount answered step 5's read (or did not).
    void positionRead(bool ok);
    void debug(const QString& line) const;
    QLabel* checkMark(int step) const;

    PrefControl& m_prefs;
    ScopeControl& m_scope;
    SkyDateModel& m_skyDate;
    Finder m_finder;
    PolarAlignment m_alignment;
    std::array<PolarAlignment::Star, 2> m_stars{};
    double m_lat = 0.0;
    double m_pm = 0.0;
    double m_dRA = 0.0;
    double m_dDec = 0.0;
    QString m_raStr = QStringLiteral(" ");
    QString m_decStr = QStringLiteral(" ");
    QLabel* m_azError;
    QLabel* m_altError;
    std::array<QLabel*, 3> m_checkMarks{};
    bool m_isPlaced = false;
    InactiveHider m_inactiveHider{*this};
};
