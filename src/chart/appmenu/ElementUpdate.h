#pragma once

#include "platform/UrlList.h"
#include "platform/WebFetch.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <chrono>
#include <functional>

class AppMenuModel;
class QNetworkAccessManager;

// "Update Comets/MP": fetches the comet list and the two minor-planet lists,
// replaces "Soft00Cmt.txt", "Soft00Bright.txt" and "Soft00Unusual.txt" in
// the build folder, rebuilds the tables and redraws the chart. The fetches
// run in the background; a file is replaced only by a complete answer that
// reads as its format, so an error page, a body cut short or a dropped
// connection leaves the old file (and the tables) as they were.
class ElementUpdate final : public QObject {
    Q_OBJECT
public:
    ElementUpdate(QNetworkAccessManager& network, AppMenuModel& model, QObject* parent = nullptr);

    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }
    void setDebugSink(std::function<void(const QString&)> sink) { m_debug = std::move(sink); }

    // Starts the update from the list's endpoints; does nothing while one runs.
    void start(const UrlList& urls);
    bool isRunning() const { return m_running; }

    // Rebuilds the tables from the element files on disk, without the network.
    void rebuildFromDisk();

signals:
    // The update has ended, whatever its outcome; the chart is redrawn.
    void finished();

private:
    void cometsFetched(const WebFetch::Result& result);
    void fetchMinorPlanets();
    void brightFetched(const WebFetch::Result& result);
    void unusualFetched(const WebFetch::Result& result);
    void fail(const QString& alert, const QString& reason);
    void finish();
    QString path(const char* fileName) const;

    QNetworkAccessManager& m_network;
    AppMenuModel& m_model;
    std::chrono::milliseconds m_timeout = WebFetch::kTimeout;
    std::function<void(const QString&)> m_debug;
    UrlList m_urls;
    QByteArray m_bright;
    bool m_running = false;
};
