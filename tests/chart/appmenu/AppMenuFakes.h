#pragma once

#include "chart/appmenu/AppMenuModel.h"
#include "chart/appmenu/MpcProgressPanel.h"
#include "solarsystem/smallbodies/MinorPlanetCacheWriter.h"
#include "support/LocalHttpServer.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <QNetworkProxy>
#include <QSignalSpy>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>
#include <vector>

// The model as the menu drives it: records what it was asked to do.
struct FakeAppMenuModel final : AppMenuModel {
    QString directory;
    bool cometImportSucceeds = true;
    MinorPlanetTable::Result minorPlanetResult{MinorPlanetTable::Status::Built, 0};
    // The orbit file's import: by default one that gives minorPlanetResult at once.
    MinorPlanetImporter::Work orbitFileWork;
    std::vector<minorPlanet> minorPlanets;  // the table an import replaces
    QStringList calls;
    MinorPlanetCacheWriter cacheWriter;

    QString buildDirectory() const override { return directory; }
    bool createCometData(bool rebuild) override
    {
        calls << QStringLiteral("comets %1").arg(rebuild);
        return cometImportSucceeds;
    }
    MinorPlanetTable::Result createMinorPlanetData(bool rebuild, bool useOrbitFile,
                                                   bool allOrbits) override
    {
        calls << QStringLiteral("minor planets %1 %2 %3").arg(rebuild).arg(useOrbitFile).arg(allOrbits);
        return minorPlanetResult;
    }
    MinorPlanetImporter::Work minorPlanetImport(bool allOrbits) override
    {
        calls << QStringLiteral("minor planets %1 %2 %3").arg(true).arg(true).arg(allOrbits);
        if (orbitFileWork)
            return orbitFileWork;
        return [result = minorPlanetResult](const MinorPlanetImporter::Progress&, std::stop_token) {
            return MinorPlanetTable::Import{result, {}};
        };
    }
    // As the program does: the table put in place, then cached apart.
    MinorPlanetTable::Result adoptMinorPlanets(MinorPlanetTable::Import& import) override
    {
        cacheWriter.wait();
        const MinorPlanetTable::Result result = MinorPlanetTable::adopt(import, minorPlanets);
        if (result.status == MinorPlanetTable::Status::Built) {
            cacheWriter.start(directory + QLatin1String(MinorPlanetTable::kCacheFile), minorPlanets, [](bool written) {
                if (!written)
                    MinorPlanetTable::alertCacheNotWritten();
            });
        }
        return result;
    }
    void calculateCometPositions(int kind) override { calls << QStringLiteral("positions %1").arg(kind); }
    void calculateStarPositions(bool force) override { calls << QStringLiteral("project %1").arg(force); }
    bool rebuildDatabase() override
    {
        calls << QStringLiteral("rebuild");
        return true;
    }
    void display() override { calls << QStringLiteral("display"); }
};

// The progress panel: keeps its state and every progress value shown.
struct FakeProgressPanel final : MpcProgressPanel {
    bool visible = false;
    bool cancelEnabled = false;
    QStringList statuses;
    std::vector<std::optional<double>> progress;

    void showPanel() override { visible = true; }
    void hidePanel() override { visible = false; }
    bool isPanelVisible() const override { return visible; }
    void setStatus(const QString& text) override { statuses << text; }
    void setProgress(std::optional<double> percent) override { progress.push_back(percent); }
    void setCancelEnabled(bool enabled) override { cancelEnabled = enabled; }
};

// A local server, a build folder and recorded alerts for one test.
class AppMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Only the local server is ever asked, never through a proxy.
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        ASSERT_TRUE(m_folder.isValid());
        model.directory = m_folder.path() + "/";
    }

    QString buildPath(const QString& name) const { return model.directory + name; }
    QStringList alertTitles() const
    {
        QStringList titles;
        for (const RecordedAlert& alert : recorder.alerts)
            titles << alert.title;
        return titles;
    }

    LocalHttpServer server;
    FakeAppMenuModel model;
    ScopedAlertRecorder recorder;

private:
    QTemporaryDir m_folder;
};

// True once the spied signal has come, at once or within ten seconds.
inline bool ended(QSignalSpy& spy)
{
    return !spy.isEmpty() || spy.wait(10000);
}
