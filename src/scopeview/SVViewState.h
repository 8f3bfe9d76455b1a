#pragma once

#include "model/ObjectIndex.h"

#include <QPointF>

#include <functional>

class QString;
class SVMountLink;

// What the telescope view shows: the tracked object and its centre, the
// user's pan and the one-shot click modes. Angles in radians of date.
class SVViewState {
public:
    static constexpr double kNotTracking = -1.0;

    struct Centre {
        double ra;
        double dec;
    };

    bool isTracking() const { return m_trackRA != kNotTracking; }
    double trackRA() const { return m_trackRA; }
    double trackDec() const { return m_trackDec; }
    // Sets the centre; the pan stays.
    void setTrackRA(double ra, double dec);
    double deltaRA() const { return m_deltaRA; }
    double deltaDec() const { return m_deltaDec; }
    void addDeltas(double dRA, double dDec);
    void resetDeltas();
    // The centre with the pan, in degrees.
    double trackRAPlus() const;
    double trackDecPlus() const;

    // The centre a drawing pass uses: a SynScan mount's sync offsets taken
    // off (when `mount` is set), then the pan added. With `debug` set, the
    // uncorrected centre and the offsets are written to it.
    Centre fieldCentre(const SVMountLink* mount,
                       const std::function<void(const QString&)>& debug) const;

    long trackIndex() const { return m_trackIndex; }
    void setTrackIndex(long index) { m_trackIndex = index; }
    bool hasChanged() const { return m_hasChanged; }
    void setHasChanged(bool changed) { m_hasChanged = changed; }
    bool isDSSImage() const { return m_isDSSImage; }
    void setIsDSSImage(bool on) { m_isDSSImage = on; }
    bool isTrack() const { return m_isTrack; }
    void setIsTrack(bool on) { m_isTrack = on; }
    bool isAngleSep() const { return m_isAngleSep; }
    void setIsAngleSep(bool on) { m_isAngleSep = on; }

    // The angular-separation drag: its ends in view coordinates and the
    // angle between them.
    struct AngleSeparation {
        QPointF start;
        QPointF current;
        int degSep = 0;
        int minSep = 0;
        double secSep = 0.0;
    };
    const AngleSeparation& angleSeparation() const { return m_angleSeparation; }
    void setAngleSeparation(const AngleSeparation& separation) { m_angleSeparation = separation; }

    // The camera frame's rotation (degrees) and its value when the last
    // rotating drag ended.
    float sbigGuideAngle() const { return m_sbigGuideAngle; }
    void setSbigGuideAngle(float degrees) { m_sbigGuideAngle = degrees; }
    float oldSBIGAngle() const { return m_oldSBIGAngle; }
    void setOldSBIGAngle(float degrees) { m_oldSBIGAngle = degrees; }
    // Nothing in the view sets these; they read 0.
    short camType() const { return 0; }
    float camAngle() const { return 0.0f; }
    float fovRatio() const { return 0.0f; }

private:
    double m_trackRA = kNotTracking;
    double m_trackDec = 0.0;
    double m_deltaRA = 0.0;
    double m_deltaDec = 0.0;
    long m_trackIndex = kNoObjectIndex;
    bool m_hasChanged = true;
    bool m_isDSSImage = false;
    bool m_isTrack = false;
    bool m_isAngleSep = false;
    AngleSeparation m_angleSeparation;
    float m_sbigGuideAngle = 0.0f;
    float m_oldSBIGAngle = 0.0f;
};
