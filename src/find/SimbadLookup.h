#pragma once

#include "find/SimAnswer.h"

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <QUrl>

#include <chrono>
#include <functional>
#include <optional>

// The online name lookup's traffic and cache: one request at a time to the
// chosen service, its answer kept as "<NAME>.smbd" in the data folder's
// "Misc". A cache file is replaced only by a whole 200 answer that holds a
// position, through a temporary file, so a failed lookup leaves the old one.
class SimbadLookup final : public QObject {
    Q_OBJECT
public:
    // `simServer` values.
    static constexpr int kFirstMirror = 0;
    static constexpr int kSecondMirror = 1;
    static constexpr int kSesame = 2;
    static constexpr std::chrono::milliseconds kTimeout{60000};
    // What follows a service's base address, before the name.
    static constexpr const char* kSimbadQuery =
        "/simbad/sim-id?output.format=ASCII&obj.pmsel=on&obj.coo2=off&obj.coo3=off&coodisp1=d"
        "&obj.mtsel=off&obj.sizesel=off&obj.coo4=off&obj.plxsel=off&obj.spsel=off&obj.rvsel=off"
        "&obj.notesel=off&frame1=ICRS&epoch1=J2000&obj.bibsel=off&Ident=";
    static constexpr const char* kSesameQuery = "/viz-bin/nph-sesame/-opI/NSV?";

    struct Services {
        QUrl simbadSite;
        QUrl simbadMirrorSite;
        QUrl sesameSite;
    };

    struct Outcome {
        std::optional<SimAnswer> answer;  // set when the service knew the object
        QString error;                    // set when the request failed
    };

    // `miscDirectory` ends with a separator.
    SimbadLookup(const QString& miscDirectory, const Services& services,
                 std::chrono::milliseconds timeout = kTimeout, QObject* parent = nullptr);

    // The service addresses, once the address list has been read.
    void setServices(const Services& services) { m_services = services; }
    void setSimServer(int server) { m_simServer = server; }
    int simServer() const { return m_simServer; }

    // The cache file of a lookup name.
    QString cacheFile(const QString& simName) const;
    // The cached answer of `simName`, when one can be read.
    std::optional<QByteArray> readCache(const QString& simName) const;

    // Asks the chosen service for `simName`; `done` runs once when the answer
    // is in, unless a later request or cancel() replaced this one. False when
    // no request can be made (no address for the service, an empty name).
    bool start(const QString& simName, std::function<void(Outcome)> done);
    void cancel();

private:
    void finish(const QString& simName, SimAnswer::Form form, const QByteArray& body,
                const std::function<void(Outcome)>& done);

    QString m_miscDirectory;
    Services m_services;
    std::chrono::milliseconds m_timeout;
    int m_simServer = kFirstMirror;
    QNetworkAccessManager m_network;
    // Counts requests; an answer whose number is not the latest is dropped.
    quint64 m_download = 0;
};
