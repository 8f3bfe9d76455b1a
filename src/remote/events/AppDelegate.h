#pragma once

#include "find/PlannerObjectLink.h"

#include <QObject>
#include <QString>
#include <QVariantMap>

#include <optional>

class PrefControl;
class RemoteFinder;
class RemoteGuider;
class RemoteMount;
class Speaker;

// What other programs drive: the outside observing planner's events (find
// and track an object, show a message, report the telescope position), the
// outside guiding program's correction, the events sent back to the planner
// and the scripting keys. Events arrive on the main thread with their
// four-character class, id and parameters; every link may stay unset.
class AppDelegate final : public QObject, public PlannerObjectLink {
    Q_OBJECT
public:
    explicit AppDelegate(PrefControl& prefs, QObject* parent = nullptr);

    void setMount(RemoteMount* mount) { m_mount = mount; }
    void setFinder(RemoteFinder* finder) { m_finder = finder; }
    void setGuider(RemoteGuider* guider) { m_guider = guider; }
    void setVoice(Speaker* voice) { m_voice = voice; }

    // An incoming event; the reply's parameters, or nothing for an event
    // this program does not know.
    std::optional<QVariantMap> handleEvent(const QString& eventClass, const QString& eventId,
                                           const QVariantMap& parameters);

    // A chart click: sends the stored object to the planner.
    void sendAPClick(bool flag);
    bool isAPCommand() const { return m_isAPCommand; }

    // PlannerObjectLink
    void setAPra(double ra) override { m_APra = ra; }
    void setAPdec(double dec) override { m_APdec = dec; }
    void setAPfov(double size) override { m_APfov = size; }
    void setAPmag(double mag) override { m_APmag = mag; }
    void setAPtype(short type) override { m_APtype = type; }
    void setAPid(const QString& id) override;
    void setAPname(const QString& name) override;

    // The scripting keys; the reads give kNoMount without a connected mount.
    static constexpr double kNoMount = -100.0;
    // The guide event's answer when the guider refused a correction longer
    // than it can make.
    static constexpr short kCorrectionRefused = -3;
    void setFindObject(const QString& text);
    double scopeAzimuth() const;
    double scopeRA() const;
    double scopeDec() const;
    // n > 0 connects telescope n - 1 and stops polling.
    void setScopeConnect(int n);
    double scopeSlewDetect();

    short phdReturnCode() const { return m_phdReturnCode; }

signals:
    // An event for another program, sent without waiting for a reply.
    void outgoingEvent(const QString& target, const QString& eventClass, const QString& eventId,
                       const QVariantMap& parameters);

private:
    void scopeObject(const QVariantMap& parameters);
    void setApMessage(const QVariantMap& parameters);
    void scopePosnRequest();
    QVariantMap phdGuide(const QVariantMap& parameters);
    void writeDebug(const QString& line);
    void speak(const QString& text);
    bool hasMount() const;

    PrefControl& m_prefs;
    RemoteMount* m_mount = nullptr;
    RemoteFinder* m_finder = nullptr;
    RemoteGuider* m_guider = nullptr;
    Speaker* m_voice = nullptr;

    double m_APra = 0.0;
    double m_APdec = 0.0;
    double m_APfov = 0.0;
    double m_APmag = 0.0;
    short m_APtype = 0;
    QString m_APid;
    QString m_APnm;
    bool m_isAPCommand = false;
    short m_phdReturnCode = 0;
};
