#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QVariantMap>

#include <optional>

class AppDelegate;

// The delegate's events and scripting keys on D-Bus: the method Event takes
// the four-character class, id and parameters and returns the reply's
// parameters; OutgoingEvent carries the events for other programs; the keys
// are properties. Without a bus the program runs on without it.
class RemoteEventsBus final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.norvane.Pro")
    Q_PROPERTY(QString findObject READ findObject WRITE setFindObject)
    Q_PROPERTY(double scopeAzimuth READ scopeAzimuth)
    Q_PROPERTY(double scopeRA READ scopeRA)
    Q_PROPERTY(double scopeDec READ scopeDec)
    Q_PROPERTY(int scopeConnect READ scopeConnect WRITE setScopeConnect)
    Q_PROPERTY(double scopeSlewDetect READ scopeSlewDetect)
public:
    static constexpr char kService[] = "org.norvane.Pro";
    static constexpr char kPath[] = "/org/norvane/Pro";
    static constexpr char kUnknownEvent[] = "org.norvane.Pro.Error.UnknownEvent";

    explicit RemoteEventsBus(AppDelegate& delegate, QObject* parent = nullptr);
    ~RemoteEventsBus() override;

    // Takes the service name and publishes the object; false (with a debug
    // line) when the connection is down or the name is taken.
    bool registerOn(const QDBusConnection& connection);
    // The same on the user's session bus.
    bool registerOnSessionBus();
    bool isRegistered() const { return m_connection.has_value(); }

    // The last text and number written to the write keys.
    QString findObject() const { return m_findObject; }
    void setFindObject(const QString& text);
    int scopeConnect() const { return m_scopeConnect; }
    void setScopeConnect(int n);
    double scopeAzimuth() const;
    double scopeRA() const;
    double scopeDec() const;
    double scopeSlewDetect() const;

public slots:
    QVariantMap Event(const QString& eventClass, const QString& eventId, const QVariantMap& parameters);

signals:
    void OutgoingEvent(const QString& target, const QString& eventClass, const QString& eventId,
                       const QVariantMap& parameters);

private:
    AppDelegate& m_delegate;
    std::optional<QDBusConnection> m_connection;
    QString m_findObject;
    int m_scopeConnect = 0;
};
