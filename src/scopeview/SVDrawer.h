#pragma once

#include "scopeview/SVOptics.h"

#include "scopeview/TelescopeDrawer.h"

#include <QObject>
#include <QString>

class ChartDisplay;
class PrefControl;
class SVConeSearch;
class SVDrawView;
class SVSurveyControl;
class SVView;

// The telescope view's drawer: the chosen telescope, eyepiece or camera and
// power, which make the view's optics, and the survey-image and cone-search
// choices. It reacts to its controls (SVDrawView) and keeps them in step.
class SVDrawer final : public QObject, public TelescopeDrawer {
    Q_OBJECT
public:
    static constexpr std::array<float, 3> kNomadMags{12.4f, 15.4f, 18.4f};
    // The cone-search controls' tags.
    enum NomadTag { kNomadMagTag = 1, kNomadDownloadTag, kNomadShowMagTag, kNomadCacheTag,
                    kNomadStarTag, kNomadGridTag };

    SVDrawer(PrefControl& prefs, SVDrawView& drawView, SVView& view, QObject* parent = nullptr);

    // Outlets, each skipped while unset.
    void setSkyView(ChartDisplay* skyView) { m_skyView = skyView; }
    void setSurveyControl(SVSurveyControl* control) { m_survey = control; }
    void setConeSearch(SVConeSearch* nomad) { m_nomad = nomad; }

    // Rebuilds the drawer from the telescope and eyepiece records: power 10,
    // a 5 degree field, no eyepiece selected.
    void setupDrawer() override;

    void svScopeAction(int index);
    void svEyeAction(int row);
    void svPowerAction(int sliderPosition);
    // A power set directly (scroll wheel, pinch, companion app).
    void setSVPower(float power) override;
    void svDSSAction();
    void svDSSServerAction(int index);
    void svDSSCacheAction(bool on);
    // A cone-search control by its tag; `state` the check state or pop-up index.
    void nomadAction(int tag, int state);
    void nomadDownload(bool force);
    // The window's power keys: the value alone, with the slider following.
    void setPower(float power);
    // The window's power keys: the field, with the buttons' enabling following.
    void setFov(float fov);
    void setDSSProgress(double percent);
    void setIsDownloading(bool downloading);
    // Titles the camera row by the camera kind.
    void setEye10();

    const SVOptics& optics() const { return m_optics; }
    float scopeFL() const { return m_optics.scopeFL(); }
    float eyeFL() const { return m_optics.eyeFL(); }
    float eyeFOV() const { return m_optics.eyeFOV(); }
    float power() const { return m_optics.power(); }
    float fov() const { return m_optics.fov(); }
    int serverIndex() const { return m_serverIndex; }
    const QString& server() const { return m_server; }
    bool isDSSDownloading() const { return m_isDSSDownloading; }
    bool isNomadShowMag() const { return m_isNomadShowMag; }
    bool isNomadStar() const { return m_isNomadStar; }
    bool isNomadGrid() const { return m_isNomadGrid; }
    float nomadMag() const { return m_nomadMag; }

    // The survey and cone-search buttons: on for a field the services allow,
    // once the view has a centre to ask about.
    void applyButtonRules();

private:
    // The number of telescopes listed: up to the first without a focal length.
    int listedScopes() const;
    void enableEyeRows();
    void moveSlider();
    // What every change of telescope, eyepiece or power ends with.
    void changedOptics();

    PrefControl& m_prefs;
    SVDrawView& m_drawView;
    SVView& m_view;
    ChartDisplay* m_skyView = nullptr;
    SVSurveyControl* m_survey = nullptr;
    SVConeSearch* m_nomad = nullptr;

    SVOptics m_optics;
    QString m_server;
    int m_serverIndex = 0;
    bool m_isDSSDownloading = false;
    bool m_isNomadShowMag = false;
    bool m_isNomadStar = false;
    bool m_isNomadGrid = false;
    float m_nomadMag = kNomadMags[0];
};
