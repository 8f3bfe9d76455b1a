#pragma once

// The program's objects as a first launch makes them over the shipped data,
// for the benchmarks that draw what the user sees. Everything lives in a
// temporary folder: the settings start from their defaults and the user's own
// are never touched.
#include "BenchMain.h"

#include "app/ChartSkyLink.h"
#include "app/DataFolderInstaller.h"
#include "chart/painting/ChartFrame.h"
#include "model/SkyDateModel.h"
#include "model/StarDatabaseModel.h"
#include "model/catalogue/CatalogueFolders.h"
#include "platform/DataPaths.h"
#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartImageSet.h"
#include "skydraw/DeepSkyPhotos.h"
#include "solarsystem/planets/PlanetaryPositions.h"

#include <QApplication>
#include <QDateTime>
#include <QImage>
#include <QPainter>
#include <QStandardPaths>
#include <QTimeZone>

#include <cstdio>
#include <cstdlib>
#include <memory>

// The winter evening the drawing benchmarks show.
inline QDateTime winterEvening()
{
    return QDateTime(QDate(2024, 1, 15), QTime(21, 0), QTimeZone::utc());
}

// A widgets application named as the program is (the names pick its settings
// file and data folder), on the offscreen platform unless the program draws
// with OpenGL or a platform is asked for, and with the test-mode standard
// paths so that the user's own settings and folders are never touched.
class BenchApplication {
public:
    enum class Display { Offscreen, X };
    BenchApplication(int& argc, char** argv, Display display = Display::Offscreen)
        : m_app(prepared(argc, display), argv)
    {
        QStandardPaths::setTestModeEnabled(true);
    }

private:
    static int& prepared(int& argc, Display display)
    {
        QApplication::setOrganizationName("Norvane");
        QApplication::setApplicationName("Norvane Pro");
        if (display == Display::Offscreen && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return argc;
    }

    QApplication m_app;
};

// The per-user data folder installed from the bundle, and the sky model over
// it with its date, linked as the program links them.
struct ShippedProgram : BenchSettings {
    ShippedProgram() { model.setLinks(prefs, skyDate); }

    // False when the folder cannot be installed.
    bool installDataFolder()
    {
        const QString user = root.path() + "/Norvane Pro";
        if (!root.isValid()
            || DataFolderInstaller(DataPaths::bundleDataFolder(), user).setupDirectories()
                == DataFolderInstaller::Status::Failed)
            return false;
        folders = CatalogueFolders::form(user, DataPaths::bundleDataFolder(), DataPaths::bundleResourcesFolder());
        return true;
    }

    // The installed catalogues loaded with the sky at the winter evening; false
    // when the folder cannot be installed.
    bool loadAtWinterEvening()
    {
        if (!installDataFolder())
            return false;
        skyDate.calculateDate(winterEvening(), 0.0);
        model.setupDatabase(folders);
        return true;
    }

    CatalogueFolders folders;
    SkyDateModel skyDate{prefs};
    StarDatabaseModel model;
};

// The sky chart's layers, with the planets, over the installed folder.
struct ShippedChart : ShippedProgram {
    // Loads the catalogues from `folders` and makes the layers.
    void loadChart()
    {
        model.setPlanetPositions(&planets);
        model.setupDatabase(folders);
        images = std::make_unique<ChartImageSet>(folders.imagesDirectory, folders.mythDirectory);
        images->createStarArrays();
        images->createObjectSymbols();
        images->recolorStarArrays(prefs.starColorVal());
        images->recolorObjectSymbols(prefs);
        images->recolorMythForms(prefs.mythColor());
        freshLayers();
    }

    // The layers as a launch makes them: nothing laid out or loaded yet.
    void freshLayers()
    {
        photos = std::make_unique<DeepSkyPhotos>(folders.userPhotoDirectory, folders.photoDirectory);
        frame = std::make_unique<ChartFrame>(prefs, *images, *photos);
    }

    // Munich on the winter evening, the view filling `size`.
    void lookFromMunich(double altitude, double azimuth, double viewAngle, QSize size)
    {
        prefs.setLatitude(48.14);
        prefs.setLongitude(11.58);
        prefs.setAltitude(altitude);
        prefs.setAzimuth(azimuth);
        prefs.setViewAngle(viewAngle);
        prefs.setSkyViewRect(QRectF(QPointF(), size));
        skyDate.calculateDate(winterEvening(), 0.0);
    }

    // One frame; the image is filled black first, as the view does.
    void paint(QImage& image)
    {
        image.fill(Qt::black);
        QPainter painter(&image);
        ChartCanvas canvas(painter, image.height());
        frame->paint(canvas, link.chartSky(), QRectF(image.rect()), 1.0f);
    }

    PlanetaryPositions planets{model, prefs, skyDate};
    std::unique_ptr<ChartImageSet> images;
    std::unique_ptr<DeepSkyPhotos> photos;
    std::unique_ptr<ChartFrame> frame;
    ChartSkyLink link{model, prefs, skyDate, [this] { return planets.state().sunAlt; }};
};

// The main of a program that benchmarks one `Program`: it is set up over the
// shipped data (its setUp() says whether that worked) and `program` points at
// it while the benchmarks run.
template <class Program>
int runOverShippedData(Program*& program, int& argc, char** argv)
{
    Program made;
    if (!made.setUp()) {
        std::fprintf(stderr, "The shipped data could not be set up.\n");
        return EXIT_FAILURE;
    }
    program = &made;
    return runBenchmarks(argc, argv);
}
