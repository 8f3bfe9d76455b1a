#pragma once

// The program's objects as a first launch makes them over the shipped data,
// for the benchmarks that draw what the user sees. Everything lives in the
// program's temporary home: the settings start from their defaults and the
// user's own are never touched.
#include "BenchMain.h"

#include "app/ChartSkyLink.h"
#include "app/DataFolderInstaller.h"
#include "chart/painting/ChartFrame.h"
#include "chart/painting/ChartOverlayState.h"
#include "chart/painting/MeteorShowerTimer.h"
#include "chart/painting/TelescopeAim.h"
#include "mount/dome/DomeSlit.h"
#include "model/SkyDateModel.h"
#include "model/StarDatabaseModel.h"
#include "model/catalogue/CatalogueFolders.h"
#include "platform/DataPaths.h"
#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartImageSet.h"
#include "skydraw/DeepSkyPhotos.h"
#include "solarsystem/SolarSystemModel.h"

#include <QApplication>
#include <QDateTime>
#include <QImage>
#include <QPainter>
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
// file and data folder, both inside the program's temporary home), on the
// offscreen platform unless the program draws with OpenGL or a platform is
// asked for.
class BenchApplication {
public:
    enum class Display { Offscreen, X };
    BenchApplication(int& argc, char** argv, Display display = Display::Offscreen)
        : m_app(prepared(argc, display), argv)
    {
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

// A telescope aimed at Betelgeuse with a 1° field, the telescope view open:
// the chart draws its reticle.
class BenchTelescope final : public TelescopeAim {
public:
    bool isReticleShown() const override { return true; }
    bool keepSVClosed() const override { return false; }
    void followFinder() override {}
    double trackRA() const override { return 1.5497; }
    double trackDec() const override { return 0.1293; }
    double fov() const override { return 1.0; }
    int scopeProtocol() const override { return 0; }
    double synScanRAError() const override { return 0.0; }
    double synScanDecError() const override { return 0.0; }
};

// A dome following the mount with its slit to the south: the chart draws the slit.
class BenchDome final : public DomeSlit {
public:
    bool isDomeTrack() const override { return true; }
    double domeSkyAzimuth() const override { return 180.0; }
    double domeDelta() const override { return 5.0; }
    bool isDDWTracking() const override { return false; }
    double ddwSkyAzimuth() const override { return 0.0; }
};

// Every layer switch of the chart, each turned on when it is off. The ground
// fill ("Below") stays off: it rules out the mist, which costs more.
struct LayerSwitch {
    bool (PrefSwitches::*is)() const;
    void (PrefSwitches::*toggle)();
};
inline constexpr LayerSwitch kLayerSwitches[] = {
    {&PrefSwitches::isStarNames, &PrefSwitches::setIsStarNames},
    {&PrefSwitches::isPlanetNames, &PrefSwitches::setIsPlanetNames},
    {&PrefSwitches::isCometNames, &PrefSwitches::setIsCometNames},
    {&PrefSwitches::isDeepSkyNames, &PrefSwitches::setIsDeepSkyNames},
    {&PrefSwitches::isConstellations, &PrefSwitches::setIsConstellations},
    {&PrefSwitches::isBoundaries, &PrefSwitches::setIsBoundaries},
    {&PrefSwitches::isRA_Dec, &PrefSwitches::setIsRA_Dec},
    {&PrefSwitches::isAlt_Az, &PrefSwitches::setIsAlt_Az},
    {&PrefSwitches::isEcliptic, &PrefSwitches::setIsEcliptic},
    {&PrefSwitches::isEquator, &PrefSwitches::setIsEquator},
    {&PrefSwitches::isMilkyWay, &PrefSwitches::setIsMilkyWay},
    {&PrefSwitches::isPath, &PrefSwitches::setIsPath},
    {&PrefSwitches::isPhoto, &PrefSwitches::setIsPhoto},
    {&PrefSwitches::isMist, &PrefSwitches::setIsMist},
    {&PrefSwitches::isMeteor, &PrefSwitches::setIsMeteor},
    {&PrefSwitches::isMyth, &PrefSwitches::setIsMyth},
    {&PrefSwitches::isMeridian, &PrefSwitches::setIsMeridian},
    {&PrefSwitches::isOutlines, &PrefSwitches::setIsOutlines},
};

// The sky chart's layers over the installed folder, with the solar-system
// model wired as the program wires it (the planets, the comets and the
// minor planets computed and drawn on every pass that moves them), linked
// as the chart view links them: a field outline chosen, a telescope's
// reticle and dome slit, meteor streaks and, once one is set, the
// photographic horizon.
struct ShippedChart : ShippedProgram {
    ShippedChart()
    {
        overlays.outlines = kFiftyMillimetreLens;
        meteorTimer.setSkySource(&link);
        link.setSolarSystem(&solarSystem);
    }

    static constexpr int kFiftyMillimetreLens = 22;  // the outline of its field

    // Every layer switch on, with the star kinds, the telescope markers, the
    // comets, minor planets and near-Earth objects and the photographic
    // horizon; then a forced projection pass.
    void everyLayerOn()
    {
        for (const LayerSwitch& s : kLayerSwitches) {
            if (!(prefs.*s.is)())
                (prefs.*s.toggle)();
        }
        for (auto set : {&PrefControl::setIsStarDouble, &PrefControl::setIsStarAdvanced,
                         &PrefControl::setIsStarVariable, &PrefControl::setIsStarPlanet, &PrefControl::setIsGeminiAC,
                         &PrefControl::setIsMeadeAC, &PrefControl::setIsNexStarAC, &PrefControl::setIsStarAntiAlias,
                         &PrefControl::setShowComet, &PrefControl::setShowMP, &PrefControl::setShowNEO,
                         &PrefControl::setIsAstroTwilight, &PrefControl::setIsPhotoHorizon})
            (prefs.*set)(true);
        prefs.setIsMarkCenter(true);
        prefs.setIsHideCNames(false);
        model.calculateStarPositions(true);
    }

    // False, with the switch named, when a layer did not turn on: the
    // figures would be for fewer layers than the bench claims.
    bool isEveryLayerOn() const
    {
        for (std::size_t k = 0; k < std::size(kLayerSwitches); ++k) {
            if (!(prefs.*kLayerSwitches[k].is)()) {
                std::fprintf(stderr, "Layer switch %zu is off.\n", k);
                return false;
            }
        }
        return prefs.isPhotoHorizon() && prefs.showComet() && prefs.showMP();
    }

    // Loads the catalogues from `folders` and makes the layers.
    void loadChart()
    {
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
        frame->setLinks({&overlays, &meteorTimer, &telescope, &dome, photoHorizon});
    }

    // The renderer of the photographic horizon, none to draw without it.
    void setPhotoHorizon(PhotoHorizonSource* source)
    {
        photoHorizon = source;
        frame->setLinks({&overlays, &meteorTimer, &telescope, &dome, photoHorizon});
    }

    // A streak of the first meteor shower, frozen at its first step (no event
    // loop runs to advance it); needs the records projected.
    void launchMeteor() { meteorTimer.drawMeteor(0); }

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

    SolarSystemModel solarSystem{model, prefs, skyDate};
    std::unique_ptr<ChartImageSet> images;
    std::unique_ptr<DeepSkyPhotos> photos;
    std::unique_ptr<ChartFrame> frame;
    ChartSkyLink link{model, prefs, skyDate, [this] { return solarSystem.sunAlt(); }};
    ChartOverlayState overlays;
    BenchTelescope telescope;
    BenchDome dome;
    std::uint32_t meteorSeed = 12345;
    MeteorShowerTimer meteorTimer{prefs, [](const QRectF&) {}, [this] { return meteorSeed = meteorSeed * 1664525u + 1013904223u; }};
    PhotoHorizonSource* photoHorizon = nullptr;
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
